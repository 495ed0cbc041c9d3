// The integer codes fixed by the figure file and by the program's modes,
// each named once. They are stored in files and compared everywhere, so
// their values never change.
#pragma once

#include <cstdint>

namespace plandra {

// Angles are in degrees in all data; these are the program's own values of
// pi and the full turn, not full-precision ones.
constexpr double kPi = 3.14159265358979;
constexpr double kFullTurn = 6.28318530717958;

// --- element fields ----------------------------------------------------------

// PtRec::BoundMode
constexpr int16_t kBoundMovable = -1;  // free, or on a host: the user may move it
constexpr int16_t kBoundConstructed = 0;
constexpr int16_t kBoundFixedFree = 1;  // free, but not offered for deformation

// LnRec::LineKind; 3 and up are drawn with arrowheads or reversed.
constexpr int16_t kLineStraight = 0;
constexpr int16_t kLineSegment = 1;
constexpr int16_t kLineHalf = 2;
constexpr int16_t kLineHalfReversed = 3;
constexpr int16_t kLineArrowFirst = 4;
constexpr int16_t kLineArrowSecond = 5;
constexpr int16_t kLineArrowBoth = 6;
constexpr int16_t kLineHalfArrow = 7;

// NumRec::NumShow
constexpr int16_t kNumShown = 0;
constexpr int16_t kNumHidden = 7;

// Colour numbers of elements, locus colours and highlights.
constexpr int16_t kColorNone = 0;  // not drawn; the background where drawn
constexpr int16_t kColorRed = 1;
constexpr int16_t kColorGreen = 2;
constexpr int16_t kColorYellow = 3;
constexpr int16_t kColorBlue = 4;
constexpr int16_t kColorPurple = 5;
constexpr int16_t kColorCyan = 6;
constexpr int16_t kColorBlack = 7;

// PtRec::Mark
constexpr int16_t kMarkPixel = 0;
constexpr int16_t kMarkCross = 1;
constexpr int16_t kMarkCircle = 2;
constexpr int16_t kMarkSquare = 3;
constexpr int16_t kMarkFilledSquare = 4;
constexpr int16_t kMarkTriangle = 5;
constexpr int16_t kMarkBlinkFirst = 10;  // 10..17 change colour at every redraw
constexpr int16_t kMarkBlinkLast = 17;
constexpr int16_t kMarkDragged = 20;
constexpr int16_t kMarkCircleBar = 21;
constexpr int16_t kMarkCircleCross = 22;
constexpr int16_t kMarkEventPixel = 23;
constexpr int16_t kMarkHover = 30;

// Figure::StepState: the dependency mark of a step.
constexpr int16_t kStepInputMissing = 0;  // its outputs do not exist
constexpr int16_t kStepAffected = 1;
constexpr int16_t kStepUnaffected = 2;  // not evaluated by the recompute pass

// --- modes -------------------------------------------------------------------

constexpr int16_t kModeStart = 1;
constexpr int16_t kModeStandard = 2;  // the base of the stack
constexpr int16_t kModeOption = 3;
constexpr int16_t kModeAux = 4;
constexpr int16_t kModeHelp = 5;
constexpr int16_t kModeDeform = 6;  // dragging one point
constexpr int16_t kModeZoom = 7;
constexpr int16_t kModeLoading = 8;
constexpr int16_t kModeSaving = 9;
constexpr int16_t kModeEdit = 10;
constexpr int16_t kModeLocus = 11;
constexpr int16_t kModeFunction = 12;
constexpr int16_t kModePickDeform = 13;
constexpr int16_t kModePickNumber = 14;
constexpr int16_t kModePickConstruct = 15;  // a construction gathers its inputs
constexpr int16_t kModeComputing = 16;
constexpr int16_t kModeConstruct = 17;
constexpr int16_t kModeConstructStart = 18;
constexpr int16_t kModeMeasure = 19;
constexpr int16_t kModeFileDelete = 20;
constexpr int16_t kModeNumExpression = 21;
constexpr int16_t kModeNumVariation = 22;  // the arrow keys vary the chosen number
constexpr int16_t kModeSubMenu = 23;
constexpr int16_t kModeMacro = 24;
constexpr int16_t kModeAddFigure = 25;
constexpr int16_t kModeRotate = 26;
constexpr int16_t kModeFileRename = 27;
constexpr int16_t kModeAddPoint = 28;  // a new free point waits to be placed
constexpr int16_t kModeBoundPoint = 29;
constexpr int16_t kModePlacePoint = 30;
constexpr int16_t kModePickEdit = 40;  // an element goes to its attribute dialog
constexpr int16_t kModeEditNumber = 41;
constexpr int16_t kModeEditPoint = 42;
constexpr int16_t kModeEditLine = 43;
constexpr int16_t kModeEditCircle = 44;
constexpr int16_t kModeEditBinding = 51;
constexpr int16_t kModePickBindPoint = 52;
constexpr int16_t kModePickBindHost = 53;
constexpr int16_t kModeNumChoice60 = 60;
constexpr int16_t kModeMultiDeform = 61;
constexpr int16_t kModePickMulti = 62;
constexpr int16_t kModeNumVaryChoice = 63;  // choosing the number to vary
constexpr int16_t kModeScribble = 70;
constexpr int16_t kModeNumTrace = 71;  // choosing the traced number
constexpr int16_t kModeDrag = 72;
constexpr int16_t kModeReplay = 73;
constexpr int16_t kModeEvent = 80;

// --- status bar panels (one-based) -------------------------------------------

constexpr int kPanelMode = 1;
constexpr int kPanelFile = 2;
constexpr int kPanelLocus = 3;
constexpr int kPanelLocusReset = 4;
constexpr int kPanelMarker = 5;
constexpr int kPanelPicture = 6;
constexpr int kPanelShift = 8;
constexpr int kPanelEvent = 11;
constexpr int kPanelObject = 12;

}  // namespace plandra

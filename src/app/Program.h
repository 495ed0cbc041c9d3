// The one program object: the state of every module, owned by main (or by a
// test on its stack). Operations are free functions that take what they touch.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/ImageOutput.h"
#include "app/MenuBar.h"
#include "app/Modes.h"
#include "app/Multi_lang.h"
#include "app/PDevent.h"
#include "app/Platform.h"
#include "app/Rakugaki.h"
#include "app/StatusBar.h"
#include "app/WindowState.h"
#include "figure/PDvar05.h"
#include "interact/PDAttribute.h"
#include "interact/PDSelObj.h"
#include "interact/PDconst01.h"
#include "interact/PDdeform05.h"
#include "locus/MeasureRecord.h"
#include "locus/PdLocus.h"
#include "locus/PlaneTable.h"
#include "macros/ViewerText.h"
#include "numbers/ExpressionInput.h"
#include "numbers/NumberChooser.h"
#include "numbers/NumberInput.h"
#include "numbers/NumberVariation.h"
#include "persist/PDio05_settings.h"
#include "persist/ProgramFolder.h"
#include "view/PDDraw05.h"
#include "view/Surface.h"

namespace plandra {

constexpr std::string_view kProgramTitle = "Plandra Win";
constexpr std::string_view kUntitled = "untitled";

struct Program {
  Figure Fig;
  ModeState Modes;
  // The option values; the settings record is also their runtime home (pen
  // width, font, colours, grid switch and colour, decimals, steps).
  Settings Config = ProgramSettings();
  LangState Lang;
  ViewState View;
  DrawState Draw;
  ProgramFolder Folders;
  DataFolders DataPaths;
  std::string CurFileName = std::string(kUntitled);
  // The figure's file text when it was last opened, saved or begun; none
  // yet stands for an empty figure. Quitting asks when the figure differs.
  std::optional<std::string> SavedFigureText;

  // The main window's models and state.
  StatusBar Status = DesignedStatusBar();
  MenuBar Menu = MainMenuBar();
  WindowState Window;
  ScribbleState Scribble;
  EventState Events;  // event recognition and the memo window
  ViewerText Viewer;  // the text viewer window's contents
  ThumbnailMemory Thumbnail;
  // Drawing owned by the locus layer, handed to the renderer at each frame.
  RenderLayers Layers;
  LocusState Locus;    // the switch and the traces
  PlaneTableRun PlaneTable;  // key X of the deformation while it runs
  RecordFiles Record;  // the measurement record

  // Picking and the construction under way.
  PickState Pick;
  ConstState Build;
  AttributeState Attr;  // the attribute and binding dialogs
  DeformState Deform;

  // The number dialogs and the variation of a number.
  NumberChooser SelNum;     // the number chooser dialog
  NumberVariation Var;      // mode 22
  NumberInput NumInput;     // the small number input dialog
  ExpressionInput Express;  // the expression dialog

  // Not owned: the window's (or a test's) implementations.
  Platform* Host = nullptr;
  Surface* Canvas = nullptr;
};

}  // namespace plandra

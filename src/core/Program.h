// The one program object: the state of every module, owned by main (or by a
// test on its stack). Operations are free functions that take what they touch.
#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "core/ImageOutput.h"
#include "core/Modes.h"
#include "core/Platform.h"
#include "core/Rakugaki.h"
#include "core/WindowState.h"
#include "core/attributes/PDAttribute.h"
#include "core/construct/PDconst01.h"
#include "core/drag/PDdeform05.h"
#include "core/events/PDevent.h"
#include "core/language/Multi_lang.h"
#include "core/locus/MeasureRecord.h"
#include "core/locus/PdLocus.h"
#include "core/locus/PlaneTable.h"
#include "core/macros/ViewerText.h"
#include "core/menus/MenuBar.h"
#include "core/menus/StatusBar.h"
#include "core/numbers/ExpressionInput.h"
#include "core/numbers/NumberChooser.h"
#include "core/numbers/NumberInput.h"
#include "core/numbers/NumberVariation.h"
#include "core/pick/PDSelObj.h"
#include "figure/PDvar05.h"
#include "files/PDio05_settings.h"
#include "files/ProgramFolder.h"
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
  LocusState Locus;          // the switch and the traces
  PlaneTableRun PlaneTable;  // key X of the deformation while it runs
  RecordFiles Record;        // the measurement record

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

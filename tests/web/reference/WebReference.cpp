// The program's side of the web viewer's tests. "drag FIGURE W H C,R ..."
// opens the figure as the command-line renderer does on a W x H picture,
// presses the mouse at the first canvas pixel, moves it through the others
// (",1" after a pixel: with Shift held) and lets go, all through the window's own event handling,
// then prints the element table. "keys FIGURE W H POINT KEY..." takes the point for the keyboard
// deformation of its right-click menu and presses the arrow keys (Left, Right, Up, Down; "10" after
// one for the standard step of ten pixels, else the narrow step of one), then prints the element
// table. "vary FIGURE W H NUMBER KEY..." varies the number with the up and down keys (Up, Down)
// as the window's number variation does, then prints the element table. "trace FIGURE W H C,R ..."
// drags as "drag" does with the locus switch on and prints the traces after the table. "grab FIGURE
// W H" prints a pixel that takes a draggable line. "large FILE" writes the benchmark figure.
// "record FIGURE FOLDER" opens the figure with FOLDER as the program folder and keeps the
// measurement record of one redraw there.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "CliRender.h"
#include "ElementTable.h"
#include "app/KeptFigure.h"
#include "app/KeyDispatch.h"
#include "app/MainCommands.h"
#include "app/Session.h"
#include "app/Startup.h"
#include "core/InputEvent.h"
#include "core/Modes.h"
#include "core/Platform.h"
#include "core/Program.h"
#include "core/Refresh.h"
#include "core/ViewCommands.h"
#include "core/locus/MeasureRecord.h"
#include "core/locus/PdLocus.h"
#include "core/numbers/NumberDialogs.h"
#include "core/pick/PDSelObj.h"
#include "engine/DragRules.h"
#include "engine/GeoObj05.h"
#include "files/PDio05.h"
#include "support/FigureBuilder.h"
#include "support/RecordingSurface.h"
#include "view/PDDraw05.h"

namespace plandra {
namespace {

// "C,R", or "C,R,1" for a move with Shift held.
bool ParsePixel(const std::string& text, double& column, double& row, bool& shift) {
  int held = 0;
  const int read = std::sscanf(text.c_str(), "%lf,%lf,%d", &column, &row, &held);
  shift = read == 3 && held != 0;
  return read >= 2;
}

InputEvent EventAt(const Program& p, double column, double row) {
  WorldPoint at = PixelToWorld(p.View, column, row);
  InputEvent event;
  event.X = at.X;
  event.Y = at.Y;
  event.Button = kButtonLeft;
  return event;
}

// The figure opened as the command-line renderer opens it, the program
// waiting in the standard mode (where a press takes a point); false, and
// said why, when it cannot be read.
bool OpenFigure(const RenderOptions& options, SilentPlatform& host, Program& program) {
  program.Host = &host;
  WireLocusLayer(program);
  std::string error;
  if (!LoadForRender(options, program, error)) {
    std::cerr << "web_reference: " << error << '\n';
    return false;
  }
  ModePush(program.Modes, kModeStandard, host);
  return true;
}

// The figure opened on a W x H canvas and drawn, as a page shows it.
struct CanvasSession {
  SilentPlatform Host;
  Program P;
  std::unique_ptr<test::RecordingSurface> Surface;
  bool Open(const std::vector<std::string>& args) {
    RenderOptions options;
    options.Figure = args[0];
    options.Width = std::stoi(args[1]);
    options.Height = std::stoi(args[2]);
    if (!OpenFigure(options, Host, P)) return false;
    Surface = std::make_unique<test::RecordingSurface>(options.Width, options.Height);
    P.Canvas = Surface.get();
    SetScreen(P);
    Redraw(P);
    return true;
  }
};

int Keys(const std::vector<std::string>& args) {
  if (args.size() < 5) {
    std::cerr << "web_reference keys FIGURE WIDTH HEIGHT POINT KEY...\n";
    return 2;
  }
  CanvasSession session;
  if (!session.Open(args)) return 1;
  Program& program = session.P;
  program.Build.MenuTarget = ObjRef::Of(kClassPoint, std::stoi(args[3]));
  RunMenuCommand(program, "mnuEdit2_point_Deform");
  const std::pair<std::string_view, int16_t> arrows[] = {
      {"Left", kKeyLeft}, {"Right", kKeyRight}, {"Up", kKeyUp}, {"Down", kKeyDown}};
  for (size_t i = 4; i < args.size(); ++i) {
    std::string_view key = args[i];
    const bool standard = key.ends_with("10");
    if (standard) key.remove_suffix(2);
    for (const auto& [name, code] : arrows) {
      if (name != key) continue;
      KeyDown(program, standard ? kKeyM : kKeyS, false);
      KeyDown(program, code, false);
    }
  }
  std::cout << ElementTableText(program.Fig);
  return 0;
}

int Vary(const std::vector<std::string>& args) {
  if (args.size() < 4) {
    std::cerr << "web_reference vary FIGURE WIDTH HEIGHT NUMBER KEY...\n";
    return 2;
  }
  CanvasSession session;
  if (!session.Open(args)) return 1;
  Program& program = session.P;
  // As the number chooser leaves it once the number is chosen.
  program.Var.VarTarget = ObjRef::Of(kClassNumber, std::stoi(args[3]));
  program.Var.VarFirstKey = kTrue;
  ModePush(program.Modes, kModeNumVariation, session.Host);
  for (size_t i = 4; i < args.size(); ++i)
    KeyDown(program, args[i] == "Up" ? kKeyUp : kKeyDown, false);
  std::cout << ElementTableText(program.Fig);
  return 0;
}

// "grab FIGURE W H": a canvas pixel where a press takes a line that drags
// whole, the middle of its two points; nothing when the figure has none.
int Grab(const std::vector<std::string>& args) {
  if (args.size() != 3) {
    std::cerr << "web_reference grab FIGURE WIDTH HEIGHT\n";
    return 2;
  }
  CanvasSession session;
  if (!session.Open(args)) return 1;
  const Program& program = session.P;
  const Figure& fig = program.Fig;
  for (int i = 1; i <= fig.ElemCount[kClassLine]; ++i) {
    const LnRec& line = fig.LnTable[i];
    if (!IsDraggable(fig, ObjRef::Of(kClassLine, i))) continue;
    const PtRec& a = fig.PtTable[line.Pt1Index];
    const PtRec& b = fig.PtTable[line.Pt2Index];
    WorldPoint pixel = WorldToPixel(program.View, (a.X + b.X) / 2, (a.Y + b.Y) / 2);
    const double column = std::round(pixel.X), row = std::round(pixel.Y);
    WorldPoint at = PixelToWorld(program.View, column, row);
    if (ElementUnderPointer(fig, at.X, at.Y, program.View.PixelSize, false) !=
        ObjRef::Of(kClassLine, i)) {
      continue;
    }
    std::cout << column << ',' << row << '\n';
    return 0;
  }
  return 0;
}

int Drag(const std::vector<std::string>& args, bool traced) {
  if (args.size() < 4) {
    std::cerr << "web_reference drag|trace FIGURE WIDTH HEIGHT COLUMN,ROW...\n";
    return 2;
  }
  CanvasSession session;
  if (!session.Open(args)) return 1;
  Program& program = session.P;
  if (traced) {
    program.Window.ExeReadOnly = -1;  // no measurement record in the program's folder
    RunMenuCommand(program, "mnuLocusSW");
  }
  for (size_t i = 3; i < args.size(); ++i) {
    double column = 0, row = 0;
    bool shift = false;
    if (!ParsePixel(args[i], column, row, shift)) {
      std::cerr << "web_reference: not a pixel: " << args[i] << '\n';
      return 2;
    }
    InputEvent event = EventAt(program, column, row);
    if (shift) event.Shift = kShiftKey;
    if (i == 3) {
      MouseDown(program, event);
    } else {
      MouseMove(program, event);
    }
  }
  MouseUp(program, EventAt(program, 0, 0));
  std::cout << ElementTableText(program.Fig);
  if (traced) std::cout << TraceTableText(program.Locus);
  return 0;
}

int WriteFigure(Figure& fig, const std::string& path) {
  RecomputeAll(fig);
  FigFileResult written = FigFileCore(fig, path, 'W');
  if (written.Status != FigFileStatus::kOk) {
    std::cerr << "web_reference: " << written.Message << '\n';
    return 1;
  }
  return 0;
}

int WriteLarge(const std::vector<std::string>& args) {
  if (args.size() != 1 && args.size() != 2) {
    std::cerr << "web_reference large FILE [STEPS]\n";
    return 2;
  }
  Figure fig;
  if (args.size() == 2) {
    test::BuildFigureOfSteps(fig, std::stoi(args[1]));
  } else {
    test::BuildLargeFigure(fig);
    // A circle about the first point with a radius the page's slider varies.
    const int16_t radius = test::AddNumber(fig, 1);
    test::AddStep(fig, "C1", {test::PointRef(1), ObjRef::Of(kClassNumber, radius)});
  }
  return WriteFigure(fig, args[0]);
}

// "loci FILE N": N sampled loci on one driving point; prints the free point
// none of them reads.
int WriteLoci(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "web_reference loci FILE N\n";
    return 2;
  }
  Figure fig;
  const test::LociFigure built = test::BuildLociFigure(fig, std::stoi(args[1]));
  std::cout << built.Unrelated << '\n';
  return WriteFigure(fig, args[0]);
}

int WriteRecord(const std::vector<std::string>& args) {
  if (args.size() != 2) {
    std::cerr << "web_reference record FIGURE FOLDER\n";
    return 2;
  }
  RenderOptions options;
  options.Figure = args[0];
  SilentPlatform host;
  Program program;
  program.Folders.Folder = args[1];
  if (!OpenFigure(options, host, program)) return 1;
  // Every number takes part, so the page has columns to show.
  for (int i = 1; i <= program.Fig.ElemCount[kClassNumber]; ++i) {
    program.Fig.NumTable[static_cast<size_t>(i)].NumFlag = kFalse;
  }
  RunMenuCommand(program, "mnuLocusSW");
  Redraw(program);
  RecordRow(program, "end");
  return 0;
}

// Answers the save dialog with one file and every question with its first
// choice, as the browser test answers them.
class SavingPlatform : public SilentPlatform {
 public:
  explicit SavingPlatform(std::filesystem::path file) : file_(std::move(file)) {}
  std::optional<std::filesystem::path> SaveFileDialog(const FileDialogRequest&) override {
    return file_;
  }

 private:
  std::filesystem::path file_;
};

// Every control of the number dialogs shown that the user can act on, with
// whether it can be used now (enabled and shown), as "DIALOG/CONTROL 0|1".
void WriteNumberDialogStates(std::ostream& out, Program& program) {
  for (const DialogTable* table : NumberDialogTables()) {
    if (!table->Shown(program)) continue;
    for (const ControlEntry& control : table->Controls) {
      if (control.Kind == ControlKind::kLabel) continue;
      const bool usable = ControlEnabled(program, control) && ControlVisible(program, control);
      out << table->Name << '/' << control.Name << ' ' << (usable ? 1 : 0) << '\n';
    }
  }
}

// Every item of the menu bar that is shown, with whether it can be chosen
// (it and every menu above it enabled): one line each, after a line "step N";
// then the number dialogs' controls.
void WriteMenuStates(std::ostream& out, Program& program, int step) {
  out << "step " << step << '\n';
  for (const MenuItem* item : AllMenuItems(program.Menu)) {
    std::vector<const MenuItem*> path;
    MenuPathTo(program.Menu.Items, item->Name, path);
    const bool shown =
        std::all_of(path.begin(), path.end(), [](const MenuItem* above) { return above->Visible; });
    if (item->Caption == "-" || !shown) continue;
    out << item->Name << ' ' << (MenuPathEnabled(program.Menu, item->Name) ? 1 : 0) << '\n';
  }
  WriteNumberDialogStates(out, program);
}

// "act DIALOG CONTROL ACT [VALUE]" runs an act on a number dialog's control
// through its table, as the page's call does; "dialogkey DIALOG CONTROL CODE
// [TEXT]" gives a key to the dialog's key function. A refused act or an
// unknown dialog is the script's fault: false.
bool NumberDialogLine(Program& program, const std::string& verb, const std::string& dialog,
                      std::istringstream& words) {
  const DialogTable* table = NumberDialogTable(dialog);
  std::string control, third, value;
  words >> control >> third >> value;
  ControlAct act{};
  if (table == nullptr || (verb == "act" && !ControlActNamed(third, act))) {
    std::cerr << "web_reference: no " << verb << " on " << dialog << ' ' << control << '\n';
    return false;
  }
  if (verb == "dialogkey") {
    DialogKey(program, *table, control, static_cast<int16_t>(std::stoi(third)), value);
  } else if (!RunControl(program, *table, control, act, value)) {
    std::cerr << "web_reference: " << dialog << ' ' << control << " refused " << third << '\n';
    return false;
  }
  return true;
}

void StartProgram(Program& program, Platform& host, const std::string& folder,
                  Surface& surface) {
  program.Host = &host;
  program.Folders.Folder = folder;
  program.Canvas = &surface;
  StartUp(program, StartupInputs{});
  ApplyDisplaySettings(program.Config, program.Canvas);
  SessionResized(program);
}

// The tab closed and opened again: a new program takes back what the
// browser kept, as the page offers it.
void Reopen(Program& program, Surface& surface) {
  const std::string kept = KeptFigureText(program);
  Platform& host = *program.Host;
  const std::string folder = program.Folders.Folder;
  program = Program();
  StartProgram(program, host, folder, surface);
  OfferKeptFigure(program, kept);
}

// "construct SCRIPT W H FOLDER FILE [MENUS]": a new program on a W x H drawing
// area (program folder FOLDER) runs the script as the browser program's test
// does: "menu NAME", "click C,R" (a press and a release at a canvas pixel),
// "key CODE", "reopen tab" (Reopen), and the number dialogs' lines above;
// "menu mnuSave" saves to FILE. MENUS gets the menu's states before the first
// step and after each.
int Construct(const std::vector<std::string>& args) {
  if (args.size() != 5 && args.size() != 6) {
    std::cerr << "web_reference construct SCRIPT W H FOLDER FILE [MENUS]\n";
    return 2;
  }
  std::ofstream menus;
  if (args.size() == 6) menus.open(args[5]);
  SavingPlatform host(args[4]);
  Program program;
  test::RecordingSurface surface(std::stoi(args[1]), std::stoi(args[2]));
  StartProgram(program, host, args[3], surface);
  std::ifstream script(args[0]);
  int step = 0;
  if (menus.is_open()) WriteMenuStates(menus, program, step);
  for (std::string line; std::getline(script, line);) {
    std::istringstream words(line);
    std::string verb, operand;
    if (!(words >> verb >> operand)) continue;
    double column = 0;
    double row = 0;
    bool shift = false;
    if (verb == "act" || verb == "dialogkey") {
      if (!NumberDialogLine(program, verb, operand, words)) return 2;
    } else if (verb == "menu") {
      const CommandResult result = RunMenuCommand(program, operand);
      if (result.Status != CommandStatus::kDone) {
        std::cerr << "web_reference: " << operand << " gave " << static_cast<int>(result.Status)
                  << '\n';
      }
    } else if (verb == "click" && ParsePixel(operand, column, row, shift)) {
      const InputEvent press = EventAt(program, column, row);
      SessionMouse(program, press, MouseAction::kDown);
      SessionMouse(program, press, MouseAction::kUp);
    } else if (verb == "key") {
      InputEvent key;
      key.KeyCode = static_cast<int16_t>(std::stoi(operand));
      SessionKeyDown(program, key);
    } else if (verb == "reopen") {
      Reopen(program, surface);
    } else {
      std::cerr << "web_reference: cannot run \"" << verb << ' ' << operand << "\"\n";
      return 2;
    }
    if (menus.is_open()) WriteMenuStates(menus, program, ++step);
  }
  std::cout << ElementTableText(program.Fig);
  return 0;
}

}  // namespace
}  // namespace plandra

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (!args.empty() && (args[0] == "drag" || args[0] == "trace")) {
    return plandra::Drag({args.begin() + 1, args.end()}, args[0] == "trace");
  }
  if (!args.empty() && args[0] == "keys") return plandra::Keys({args.begin() + 1, args.end()});
  if (!args.empty() && args[0] == "vary") return plandra::Vary({args.begin() + 1, args.end()});
  if (!args.empty() && args[0] == "grab") return plandra::Grab({args.begin() + 1, args.end()});
  if (!args.empty() && args[0] == "large") {
    return plandra::WriteLarge({args.begin() + 1, args.end()});
  }
  if (!args.empty() && args[0] == "loci") return plandra::WriteLoci({args.begin() + 1, args.end()});
  if (!args.empty() && args[0] == "construct") {
    return plandra::Construct({args.begin() + 1, args.end()});
  }
  if (!args.empty() && args[0] == "record") {
    return plandra::WriteRecord({args.begin() + 1, args.end()});
  }
  std::cerr << "web_reference drag|trace FIGURE W H C,R... | keys FIGURE W H POINT KEY... |"
               " vary FIGURE W H NUMBER KEY... |"
               " grab FIGURE W H | large FILE [STEPS] | loci FILE N | record FIGURE FOLDER |"
               " construct SCRIPT W H FOLDER FILE [MENUS]\n";
  return 2;
}

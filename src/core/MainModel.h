// The main window's core: mode names, the refresh of caption, status bar and
// menus after every mode change, the menu language and the panels' state.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/Platform.h"

namespace plandra {

struct LangState;
struct ModeState;
struct Program;

// "major.minor.revision" of this build.
std::string_view ProgramVersion();

// The status text of the mode in force, translated except "Marker"; a mode
// without a text gives "________" and beeps.
std::string ModeName(const ModeState& modes, LangState& lang, Platform& platform);

// The file name of a path without its folder ("\" or "/" separated).
std::string FileNameOnly(std::string_view path);

// "[name] Plandra Win 5.0.0".
std::string WindowCaptionText(std::string_view curFileName);

// Caption, panels 1, 2 and 5, the enabled top menus and the check marks.
void RefreshModeDisplay(Program& p);

// The program's check marks.
void MenuCheckSet(Program& p);

// The mode name in panel 1 again, and every menu caption translated from
// the stored Japanese captions.
void ApplyMenuLanguage(Program& p);

// The font of the dialogs' controls: an empty name means the language's own
// (Arial for English, ＭＳ Ｐゴシック for Japanese) and, in manual mode, no change.
void SetFonts(Program& p, std::string_view fontName);

// The command a click on a status panel runs; empty for panels 1 and 5
// (Esc and the scribble) and for panels without one.
std::string_view PanelAction(int panel);

// Marks the panels whose click does nothing in the current mode (their menu
// command is disabled there); RefreshModeDisplay keeps them up to date.
void MarkUsablePanels(Program& p);

}  // namespace plandra

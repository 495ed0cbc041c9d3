// The program's two side windows in the page, over the core's models as the
// desktop's windows are: the Data Viewer (ViewerText and its menu) and the
// memo window (MemoState and its buttons). The page asks for their state as
// JSON when their revision moved, and sends their clicks and edits back.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

struct Program;

// Moves on whenever what either window shows changed since the last call.
int SideWindowsRevision(const Program& p);

// {"shown", "title", "text", "append", "items": [{"name", "caption", "mode",
// "submenu", "checked", "visible"}]} from kViewerMenu.
std::string ViewerJson(Program& p);
// The viewer's item of that name, as its window runs it; false for a name
// the menu does not hold.
bool ViewerItemChosen(Program& p, std::string_view name);

// {"shown" (the model's count), "title", "caption", "text", "notice",
// "editable", "saveEnabled", "changed", "fontSize", "font", "save", "erase"}.
std::string MemoJson(Program& p);

}  // namespace plandra

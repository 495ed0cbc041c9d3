// One control of a dialog as data: what the Qt dialog shows, mirrored from
// the dialog's model after every call into it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace plandra {

struct DialogControl {
  std::string Caption;  // caption of a button or label, text of a text box
  bool Enabled = true;
  bool Visible = true;
};

inline void ShowControl(DialogControl& control, bool shown) {
  control.Enabled = shown;
  control.Visible = shown;
}

// A list box: its lines and the selected line (-1 none).
struct DialogList {
  std::vector<std::string> Lines;
  int Selected = -1;
  bool Enabled = true;
  bool Visible = true;
};

}  // namespace plandra

// The version box as data, for every front end: its words and the version.
// What the system is, the front end says itself.
#pragma once

#include <string>

namespace plandra {

struct LangState;

struct AboutDialogTexts {
  std::string Caption;  // the program's title and "のﾊﾞｰｼﾞｮﾝ情報", translated
  std::string Title;    // the program's title, shown large
  std::string Version;  // "ver." and the program's version, major.minor.revision
  std::string OK;
  std::string SystemInfo;  // the button, and the title of what it shows
};

AboutDialogTexts AboutTexts(LangState& lang);

}  // namespace plandra

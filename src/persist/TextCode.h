// Which code a user's text file is written in: UTF-8 (with or without a
// byte-order mark) or code page 932, as files carried over from Windows are.
// One rule for the window and the published page, which decodes what it
// fetches by asking the viewer's module.
#pragma once

#include <string_view>

namespace plandra {

enum class TextCode { kUtf8, kCp932 };

// ASCII reads the same in the code page and in UTF-8.
bool IsAscii(std::string_view text);

bool IsValidUtf8(std::string_view text);

// A memo as a whole: UTF-8 when its bytes are; plain ASCII fits both, and
// CR LF then tells a memo written on Windows, where memos are code page 932.
TextCode MemoTextCode(std::string_view bytes);

// One line of a user-edited file (settings, dictionaries, address files):
// UTF-8 when it is valid UTF-8, otherwise code page 932.
TextCode LineTextCode(std::string_view line);

// The text after a UTF-8 byte-order mark, or the whole text without one.
std::string_view WithoutByteOrderMark(std::string_view text);

}  // namespace plandra

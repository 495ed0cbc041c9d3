// What the core needs from the desktop. The Qt window implements it; tests
// use a scripted double that records every call.
#pragma once

#include <string>
#include <string_view>

namespace plandra {

enum class MsgButtons { kOk, kOkCancel, kYesNo, kYesNoCancel };
enum class MsgResult { kOk, kCancel, kYes, kNo };

class Platform {
 public:
  virtual ~Platform() = default;
  virtual void Beep() = 0;
  // Texts arrive already translated.
  virtual MsgResult MessageBox(std::string_view text, std::string_view title,
                               MsgButtons buttons) = 0;
};

// A platform that does nothing and answers every question with its first
// choice; for headless runs where no one is watching.
class SilentPlatform : public Platform {
 public:
  void Beep() override {}
  MsgResult MessageBox(std::string_view, std::string_view, MsgButtons buttons) override {
    return buttons == MsgButtons::kYesNo || buttons == MsgButtons::kYesNoCancel ? MsgResult::kYes
                                                                                : MsgResult::kOk;
  }
};

}  // namespace plandra

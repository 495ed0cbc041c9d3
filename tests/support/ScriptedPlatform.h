// A platform for tests: answers from a script and records every call.
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/Platform.h"

namespace plandra::test {

class ScriptedPlatform : public Platform {
 public:
  struct Message {
    std::string Text;
    std::string Title;
    MsgButtons Buttons;
  };

  void Beep() override { ++Beeps; }
  MsgResult MessageBox(std::string_view text, std::string_view title,
                       MsgButtons buttons) override;

  int Beeps = 0;
  std::vector<Message> Messages;
  // Answers for message boxes, taken in order; kOk (or kYes) when empty.
  std::deque<MsgResult> Answers;
};

}  // namespace plandra::test

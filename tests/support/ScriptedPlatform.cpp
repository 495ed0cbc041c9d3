#include "support/ScriptedPlatform.h"

namespace plandra::test {

MsgResult ScriptedPlatform::MessageBox(std::string_view text, std::string_view title,
                                       MsgButtons buttons) {
  Messages.push_back({std::string(text), std::string(title), buttons});
  if (!Answers.empty()) {
    MsgResult answer = Answers.front();
    Answers.pop_front();
    return answer;
  }
  return buttons == MsgButtons::kYesNo || buttons == MsgButtons::kYesNoCancel ? MsgResult::kYes
                                                                              : MsgResult::kOk;
}

}  // namespace plandra::test

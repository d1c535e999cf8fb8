#pragma once
// Dialogs with answers given in advance; every call is recorded.

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "platform/dialogs.h"

namespace pakkon {

class ScriptedDialogs : public Dialogs {
 public:
  enum class Kind { Message, Input, Open, Save };
  struct Call {
    Kind kind;
    std::string text;   // message text, input prompt, or the dialog's initial path
    std::string title;  // message or input title, or the dialog's filter
    MsgIcon icon = MsgIcon::None;
    MsgButtons buttons = MsgButtons::OK;
    std::string defaultText;  // input default, or the dialog's default extension
  };

  // Answers are taken in order; a question with no scripted answer gets the
  // first button of its set (OK or Yes), an empty input or a cancelled dialog.
  void answer(MsgAnswer a) { messages_.push_back(a); }
  void type(std::string text) { inputs_.push_back(std::move(text)); }
  void choose(std::string path) { paths_.push_back(std::move(path)); }

  MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) override;
  std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) override;
  std::string openFileDialog(const FileDialogRequest& request) override;
  std::string saveFileDialog(const FileDialogRequest& request) override;

  // Runs while a message box is "open", as events of a real modal loop do.
  std::function<void()> whileOpen;

  const std::vector<Call>& calls() const { return calls_; }
  const Call& last() const { return calls_.back(); }
  void clear() { calls_.clear(); }
  bool unusedAnswers() const { return !messages_.empty() || !inputs_.empty() || !paths_.empty(); }

 private:
  std::deque<MsgAnswer> messages_;
  std::deque<std::string> inputs_;
  std::deque<std::string> paths_;
  std::vector<Call> calls_;
};

}  // namespace pakkon

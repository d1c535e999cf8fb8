#include "platform/scripted_dialogs.h"

namespace pakkon {

MsgAnswer ScriptedDialogs::messageBox(const std::string& text, const std::string& title, MsgIcon icon,
                                      MsgButtons buttons) {
  calls_.push_back({Kind::Message, text, title, icon, buttons, {}});
  if (whileOpen) whileOpen();
  if (!messages_.empty()) {
    const MsgAnswer a = messages_.front();
    messages_.pop_front();
    return a;
  }
  return buttons == MsgButtons::OK || buttons == MsgButtons::OKCancel ? MsgAnswer::OK : MsgAnswer::Yes;
}

std::string ScriptedDialogs::inputBox(const std::string& prompt, const std::string& title,
                                      const std::string& defaultText) {
  calls_.push_back({Kind::Input, prompt, title, MsgIcon::None, MsgButtons::OKCancel, defaultText});
  if (inputs_.empty()) return {};
  std::string s = std::move(inputs_.front());
  inputs_.pop_front();
  return s;
}

std::string ScriptedDialogs::openFileDialog(const FileDialogRequest& request) {
  calls_.push_back(
      {Kind::Open, request.initialPath, request.filter, MsgIcon::None, MsgButtons::OK, request.defaultExt});
  if (paths_.empty()) return {};
  std::string s = std::move(paths_.front());
  paths_.pop_front();
  return s;
}

std::string ScriptedDialogs::saveFileDialog(const FileDialogRequest& request) {
  calls_.push_back(
      {Kind::Save, request.initialPath, request.filter, MsgIcon::None, MsgButtons::OK, request.defaultExt});
  if (paths_.empty()) return {};
  std::string s = std::move(paths_.front());
  paths_.pop_front();
  return s;
}

}  // namespace pakkon

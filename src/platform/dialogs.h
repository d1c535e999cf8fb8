#pragma once
// Every modal question the program asks goes through this interface, so
// that tests can script the answers and read back what was shown. Texts
// are UTF-8; message lines are joined by CR LF as the program builds them.

#include <string>

namespace pakkon {

enum class MsgIcon { None = 0, Critical = 16, Question = 32, Exclamation = 48, Information = 64 };
// YesNoDefaultNo: Yes and No with No as the default (the original
// platform's second-button flag, 256, on Yes and No).
enum class MsgButtons { OK = 0, OKCancel = 1, YesNoCancel = 3, YesNo = 4, YesNoDefaultNo = 4 + 256 };
enum class MsgAnswer { OK = 1, Cancel = 2, Yes = 6, No = 7 };

struct FileDialogRequest {
  std::string title;
  std::string initialPath;  // folder and file name offered
  std::string filter;       // "(*.bin)|*.bin"
  std::string defaultExt;   // "bin"
};

class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual MsgAnswer messageBox(const std::string& text, const std::string& title, MsgIcon icon, MsgButtons buttons) = 0;
  // Returns "" when cancelled, as the input box of the original platform did.
  virtual std::string inputBox(const std::string& prompt, const std::string& title, const std::string& defaultText) = 0;
  // Return the chosen path, "" when cancelled.
  virtual std::string openFileDialog(const FileDialogRequest& request) = 0;
  virtual std::string saveFileDialog(const FileDialogRequest& request) = 0;
};

}  // namespace pakkon

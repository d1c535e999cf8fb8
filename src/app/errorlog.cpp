#include "app/errorlog.h"

#include <cstdio>

#include "platform/cp932.h"
#include "platform/files.h"

namespace pakkon {

std::string fncErrorLog_line(const std::tm& t, const std::string& sMessage, const std::string& sWhere) {
  char stamp[80];
  std::snprintf(stamp, sizeof stamp, "%04d/%02d/%02d %02d:%02d:%02d ", t.tm_year + 1900, t.tm_mon + 1, t.tm_mday,
                t.tm_hour, t.tm_min, t.tm_sec);
  return stamp + sWhere + " " + sMessage + "\r\n";
}

void subError_log(Dialogs& dialogs, const std::string& appPath, const std::string& sMessage,
                  const std::string& sWhere) {
  try {
    dialogs.messageBox("Error " + sMessage, sWhere, MsgIcon::Critical, MsgButtons::OK);
  } catch (...) {
  }
  subError_append(appPath, sMessage, sWhere);
}

void subError_append(const std::string& appPath, const std::string& sMessage, const std::string& sWhere) {
  try {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    fncFile_append(appPath + kErrorLogName, fncCp932_encode(fncErrorLog_line(local, sMessage, sWhere)));
  } catch (...) {
  }
}

}  // namespace pakkon

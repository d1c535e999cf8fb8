#pragma once
// The error report: one critical message box and one line appended to
// Error_Log.TXT in the program folder. Nothing in it may fail loudly.

#include <ctime>
#include <string>

#include "platform/dialogs.h"

namespace pakkon {

inline constexpr const char* kErrorLogName = "Error_Log.TXT";

// The log line, CR LF included: "yyyy/mm/dd hh:nn:ss " & where & " " & message.
std::string fncErrorLog_line(const std::tm& local, const std::string& sMessage, const std::string& sWhere);

// The log line alone, for a failure the game tells the player its own way (or not at all).
void subError_append(const std::string& appPath, const std::string& sMessage, const std::string& sWhere);

void subError_log(Dialogs& dialogs, const std::string& appPath, const std::string& sMessage, const std::string& sWhere);

}  // namespace pakkon

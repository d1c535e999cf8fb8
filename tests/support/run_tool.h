#pragma once
// Runs pakkon-tool and collects what it printed.

#include <string>

namespace pakkon::test {

struct ToolRun {
  int status = -1;
  std::string out;
  std::string err;
};

// args are passed through the shell; quote them as needed.
ToolRun runTool(const std::string& args);

}  // namespace pakkon::test

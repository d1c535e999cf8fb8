#include "support/run_tool.h"

#include <sys/wait.h>

#include <cstdio>

#include "support/temp_dir.h"

namespace pakkon::test {

ToolRun runTool(const std::string& args) {
  TempDir dir;
  const std::string cmd =
      std::string("'") + PAKKON_TOOL_PATH + "' " + args + " >'" + dir.file("out") + "' 2>'" + dir.file("err") + "'";
  ToolRun r;
  const int rc = std::system(cmd.c_str());
  r.status = WIFEXITED(rc) ? WEXITSTATUS(rc) : -1;
  r.out = readFile(dir.file("out"));
  r.err = readFile(dir.file("err"));
  return r;
}

}  // namespace pakkon::test

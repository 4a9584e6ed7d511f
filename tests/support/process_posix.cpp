#include <sys/wait.h>

#include <cstdlib>

#include "../test_support.hpp"

namespace korvanta::test {

CommandResult RunCli(const std::string& args, const std::string& stdin_file) {
  TempDir dir;
  const auto out = dir / "out";
  const auto err = dir / "err";
  std::string cmd = std::string("'") + KORVANTA_CLI_PATH + "' " + args;
  if (!stdin_file.empty())
    cmd += " < '" + stdin_file + "'";
  cmd += " > '" + out.string() + "' 2> '" + err.string() + "'";
  const int raw = std::system(cmd.c_str());
  CommandResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadFile(out);
  r.err = ReadFile(err);
  return r;
}

void SetEnvironment(const std::string& name, const std::string& value) {
  ::setenv(name.c_str(), value.c_str(), 1);
}

}  // namespace korvanta::test

#include <spawn.h>

#include <string>

#include "cli/viewer.hpp"

extern char** environ;

namespace korvanta::cli {

bool OpenInViewer(const std::filesystem::path& file) {
  // xdg-open, started without a shell so that no file name is ever
  // interpreted.
  std::string program = "xdg-open";
  std::string argument = file.native();
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  return posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) == 0;
}

}  // namespace korvanta::cli

#include "cli/cli_front_end.hpp"

#include <fmt/core.h>

#include <cstdio>

#ifndef _WIN32
#include <spawn.h>
#include <sys/wait.h>
extern char** environ;
#endif

namespace korvanta::cli {

void CliFrontEnd::ShowMessage(const std::string& text) {
  fmt::print(stderr, "{}\n", text);
}

void CliFrontEnd::SetStatus(const std::string& text) {
  fmt::print("{}\n", text);
  std::fflush(stdout);
}

void CliFrontEnd::SetStatusBeforeWrite(const std::string& text, const std::filesystem::path& file) {
  pending_.emplace(file, text);
}

void CliFrontEnd::FileWritten(const std::filesystem::path& file) {
  if (pending_ && pending_->first == file) {
    SetStatus(pending_->second);
    pending_.reset();
  }
}

void CliFrontEnd::OpenDocument(const std::filesystem::path& file) {
  if (!open_documents_)
    return;
#ifndef _WIN32
  // The desktop's default viewer for the file, started without a shell so
  // that no file name is ever interpreted.
  std::string program = "xdg-open";
  std::string argument = file.string();
  char* argv[] = {program.data(), argument.data(), nullptr};
  pid_t pid = 0;
  if (posix_spawnp(&pid, "xdg-open", nullptr, nullptr, argv, environ) != 0) {
    fmt::print(stderr, "Cannot open {} in a viewer\n", file.string());
  }
#endif
}

}  // namespace korvanta::cli

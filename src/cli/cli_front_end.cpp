#include "cli/cli_front_end.hpp"

#include <fmt/core.h>

#include <cstdio>

#include "cli/viewer.hpp"
#include "io/utf8_path.hpp"

namespace korvanta::cli {

void CliFrontEnd::ShowMessage(const std::string& text) {
  fmt::print(stderr, "{}\n", text);
}

void CliFrontEnd::SetStatus(const std::string& text) {
  fmt::print("{}\n", text);
  std::fflush(stdout);
}

void CliFrontEnd::TargetFailed(const std::string& line) {
  ShowMessage(line);
}

void CliFrontEnd::ShowNote(const std::string& text) {
  ShowMessage(text);
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
  if (open_documents_ && !OpenInViewer(file))
    fmt::print(stderr, "Cannot open {} in a viewer\n", ShownPath(file));
}

}  // namespace korvanta::cli

#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <utility>

#include "run/front_end.hpp"

namespace korvanta::cli {

// The command line's front end: status texts on standard output, messages and
// the source's notes on standard error, one per line (a target that fails
// there too, as it fails). There is no file dialog. A status that names
// a file before it is written is printed once the file is written, so the
// output never reports a file that a failed write did not make.
class CliFrontEnd : public FrontEnd {
 public:
  explicit CliFrontEnd(bool open_documents) : open_documents_(open_documents) {}

  void ShowMessage(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest&) override {
    return std::nullopt;
  }
  void SetStatus(const std::string& text) override;
  void SetStatusBeforeWrite(const std::string& text, const std::filesystem::path& file) override;
  void FileWritten(const std::filesystem::path& file) override;
  void TargetFailed(const std::string& line) override;
  void ShowNote(const std::string& text) override;
  void OpenDocument(const std::filesystem::path& file) override;

 private:
  bool open_documents_;
  // The status held back until its file is written.
  std::optional<std::pair<std::filesystem::path, std::string>> pending_;
};

}  // namespace korvanta::cli

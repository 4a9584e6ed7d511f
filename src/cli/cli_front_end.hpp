#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/front_end.hpp"

namespace korvanta::cli {

// The command line's front end: status texts on standard output, messages on
// standard error, one per line. There is no file dialog.
class CliFrontEnd : public FrontEnd {
 public:
  explicit CliFrontEnd(bool open_documents) : open_documents_(open_documents) {}

  void ShowMessage(const std::string& text) override;
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest&) override {
    return std::nullopt;
  }
  void SetStatus(const std::string& text) override;
  void OpenDocument(const std::filesystem::path& file) override;

 private:
  bool open_documents_;
};

}  // namespace korvanta::cli

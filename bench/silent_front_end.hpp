#pragma once

// The front end of a benchmarked run: it asks nothing and shows nothing, and
// keeps the last message so that a run that fails can say why.

#include <filesystem>
#include <optional>
#include <string>

#include "run/front_end.hpp"

namespace korvanta::bench {

class SilentFrontEnd : public FrontEnd {
 public:
  void ShowMessage(const std::string& text) override { last_message = text; }
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest&) override {
    return std::nullopt;
  }
  void SetStatus(const std::string&) override {}
  void OpenDocument(const std::filesystem::path&) override {}
  std::string last_message;
};

}  // namespace korvanta::bench

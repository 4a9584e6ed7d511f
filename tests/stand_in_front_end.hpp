#pragma once

#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "io/utf8_path.hpp"
#include "run/front_end.hpp"

namespace korvanta::test {

// The run's front end in a test: it records what the run asks of it, in
// order ("message: ...", "dialog: <folder>", "status: ...", "open: <file>",
// and "written: <file name>" when `record_written` is set), and answers the
// "/T" dialogs from `answers`, then with `dialog_answer` once those run out.
class StandInFrontEnd : public FrontEnd {
 public:
  std::vector<std::string> events;
  std::vector<SaveDialogRequest> requests;
  std::deque<std::optional<std::filesystem::path>> answers;
  std::optional<std::filesystem::path> dialog_answer;  // nullopt: the user cancels
  bool record_written = false;

  void ShowMessage(const std::string& text) override { events.push_back("message: " + text); }
  std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) override {
    events.push_back("dialog: " + request.folder.string());
    requests.push_back(request);
    if (answers.empty())
      return dialog_answer;
    std::optional<std::filesystem::path> answer = answers.front();
    answers.pop_front();
    return answer;
  }
  void SetStatus(const std::string& text) override { events.push_back("status: " + text); }
  void FileWritten(const std::filesystem::path& file) override {
    if (record_written)
      events.push_back("written: " + PathToUtf8(file.filename()));
  }
  void OpenDocument(const std::filesystem::path& file) override {
    events.push_back("open: " + file.string());
  }

  // The messages shown, without their "message: " mark.
  std::vector<std::string> Messages() const {
    const std::string mark = "message: ";
    std::vector<std::string> messages;
    for (const std::string& event : events) {
      if (event.starts_with(mark))
        messages.push_back(event.substr(mark.size()));
    }
    return messages;
  }
};

}  // namespace korvanta::test

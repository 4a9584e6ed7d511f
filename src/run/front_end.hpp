#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace korvanta {

// What the "/T" save dialog of one writer shows. Texts are UTF-8.
struct SaveDialogRequest {
  std::filesystem::path folder;  // where it opens: the writer's target folder
  std::string title;             // names the target: "Save the iFly 737NG plan"
  std::string filter_name;       // "Route file"
  std::string extension;         // the target's own, without the dot: "rte"
  // The name it holds when it opens: the run gives the file's automatic
  // name (the one a cancel writes); the window puts the name last confirmed
  // in this writer's dialog in its place.
  std::string file_name;

  // The filter in the dialog's "name|pattern" form: "Route file|*.rte".
  std::string Filter() const { return filter_name + "|*." + extension; }
};

// What a conversion run needs from the user interface. The window, the
// command line and the tests each implement it. Texts are UTF-8.
class FrontEnd {
 public:
  virtual ~FrontEnd() = default;

  // A modal message with one OK button (error icon).
  virtual void ShowMessage(const std::string& text) = 0;
  // The "/T" file choice; nullopt when the user cancels.
  virtual std::optional<std::filesystem::path> ChooseSaveFile(const SaveDialogRequest& request) = 0;
  // The status line ("File ... created").
  virtual void SetStatus(const std::string& text) = 0;
  // A status line that names `file` before the run writes it (the window
  // shows it at once, as it always has). A front end that reports only what
  // was written holds it back until FileWritten(file).
  virtual void SetStatusBeforeWrite(const std::string& text,
                                    const std::filesystem::path& /*file*/) {
    SetStatus(text);
  }
  // A target could not be written ("<caption>: <message>"), as it happens;
  // the run goes on with the others. The window shows it in its status line.
  virtual void TargetFailed(const std::string& line) { SetStatus(line); }
  // What the source tells the user about its route without refusing it (a
  // plan's count that disagrees with its points), one line each, once the
  // targets are written. The window shows it in its status line.
  virtual void ShowNote(const std::string& text) { SetStatus(text); }
  // A file of the run has been written whole.
  virtual void FileWritten(const std::filesystem::path& /*file*/) {}
  // Progress of a long load (the Tu-154 navigation data); an empty text
  // ends it (the window hides its progress panel).
  virtual void SetProgress(const std::string& /*text*/) {}
  // Lets the window repaint and stay responsive.
  virtual void ProcessPendingEvents() {}
  // Opens a written document in the user's viewer for it (the KML file).
  virtual void OpenDocument(const std::filesystem::path& file) = 0;
};

}  // namespace korvanta

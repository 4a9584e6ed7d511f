#pragma once

#include <cstddef>
#include <filesystem>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "run/targets.hpp"
#include "settings/folder_set.hpp"

namespace korvanta {

// One line of the Folders dialog: a folder setting and the folder in use.
struct FolderLine {
  std::string_view key;  // the settings key that OK saves the line to
  std::string caption;   // with its "&" mnemonic, unique within the dialog
  std::string folder;    // as the platform writes it; empty when not set
  // Where the folder came from ("registry", "settings key", ...), with
  // ", missing" when it does not exist; "automatic" after a reset.
  std::string origin;
  // Whether Reset to automatic changes anything: the settings file or the
  // dialog names the line's own folder.
  bool resettable = false;
};

// What Browse… asks the view's folder picker.
struct FolderChoiceRequest {
  std::string title;               // "Choose the FS2004 folder"
  std::filesystem::path start_in;  // the line's folder, else the documents folder
};

// The Folders dialog without a toolkit: its lines, drawn from the Folders
// list under the selection, the user's choices and resets, and the keys OK
// saves. The views draw the lines and ask for the folder; nothing changes
// on the disk before Save.
class FoldersDialogModel {
 public:
  FoldersDialogModel(const FolderSet& folders, Simulator simulator);

  std::span<const FolderLine> Lines() const { return lines_; }
  FolderChoiceRequest ChoiceRequest(std::size_t line) const;
  // Browse… answered with `folder`.
  void Choose(std::size_t line, const std::filesystem::path& folder);
  // Reset to automatic: the key is removed on OK, and the folder is looked
  // for again.
  void Reset(std::size_t line);
  // Whether OK has anything to save.
  bool Changed() const { return !changes_.empty(); }
  // OK: the chosen folders to their keys of section "Main", the reset keys
  // removed, in one write of the settings file; throws RunError when it
  // cannot be written, leaving it as it was.
  void Save(const std::filesystem::path& settings_file) const;

 private:
  std::vector<FolderLine> lines_;
  std::filesystem::path documents_dir_;
  // By line: the chosen folder, or none for a reset.
  std::map<std::size_t, std::optional<std::filesystem::path>> changes_;
};

// The captions with a mnemonic each, unique among them: the first free
// letter or digit that starts a word, else the first free one anywhere.
std::vector<std::string> WithMnemonics(std::span<const std::string_view> captions);

}  // namespace korvanta

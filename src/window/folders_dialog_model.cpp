#include "window/folders_dialog_model.hpp"

#include <algorithm>
#include <cctype>
#include <optional>

#include "io/utf8_path.hpp"
#include "run/folder_rows.hpp"
#include "settings/ini_profile.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kAutomatic = "automatic";

std::string OriginText(const FolderRow& row) {
  std::string text(FolderOriginText(row.in_use.origin));
  if (row.in_use.Set() && !row.exists)
    text += ", missing";
  return text;
}

FolderLine LineOf(const FolderSettingInfo& setting, std::string caption,
                  std::span<const FolderRow> rows, const IniProfile& settings) {
  FolderLine line;
  line.key = setting.key;
  line.caption = std::move(caption);
  const auto row = std::find_if(rows.begin(), rows.end(),
                                [&](const FolderRow& each) { return each.key == setting.key; });
  if (row != rows.end() && row->in_use.Set()) {
    line.folder = ShownPath(row->in_use.folder);
    line.origin = OriginText(*row);
  } else {
    line.origin = std::string(FolderOriginText(FolderOrigin::kNotSet));
  }
  line.resettable = FolderSetting(settings, setting.key).has_value();
  return line;
}

bool IsMnemonicCharacter(char c) {
  return std::isalnum(static_cast<unsigned char>(c)) != 0;
}

}  // namespace

std::vector<std::string> WithMnemonics(std::span<const std::string_view> captions) {
  std::string taken;
  std::vector<std::string> marked;
  for (const std::string_view caption : captions) {
    const auto free = [&](std::size_t at) {
      return IsMnemonicCharacter(caption[at]) &&
             taken.find(static_cast<char>(std::toupper(static_cast<unsigned char>(caption[at])))) ==
                 std::string::npos;
    };
    std::optional<std::size_t> chosen;
    for (std::size_t at = 0; at < caption.size() && !chosen; ++at) {
      if ((at == 0 || !IsMnemonicCharacter(caption[at - 1])) && free(at))
        chosen = at;
    }
    for (std::size_t at = 0; at < caption.size() && !chosen; ++at) {
      if (free(at))
        chosen = at;
    }
    std::string text(caption);
    if (chosen) {
      taken += static_cast<char>(std::toupper(static_cast<unsigned char>(caption[*chosen])));
      text.insert(*chosen, "&");
    }
    marked.push_back(std::move(text));
  }
  return marked;
}

FoldersDialogModel::FoldersDialogModel(const FolderSet& folders, Simulator simulator)
    : documents_dir_(folders.documents_dir) {
  const std::vector<FolderRow> rows = FolderRows(folders, simulator);
  const IniProfile settings(folders.SettingsFile());
  std::vector<std::string_view> captions;
  for (const FolderSettingInfo& setting : FolderSettings())
    captions.push_back(setting.caption);
  std::vector<std::string> marked = WithMnemonics(captions);
  for (std::size_t i = 0; i < FolderSettings().size(); ++i)
    lines_.push_back(LineOf(FolderSettings()[i], std::move(marked[i]), rows, settings));
}

FolderChoiceRequest FoldersDialogModel::ChoiceRequest(std::size_t line) const {
  const FolderSettingInfo& setting = FolderSettings()[line];
  const auto change = changes_.find(line);
  std::filesystem::path start = documents_dir_;
  if (change != changes_.end() && change->second)
    start = *change->second;
  else if (change == changes_.end() && !lines_[line].folder.empty())
    start = PathFromUtf8(lines_[line].folder);
  return {"Choose the " + std::string(setting.caption), start};
}

void FoldersDialogModel::Choose(std::size_t line, const std::filesystem::path& folder) {
  changes_[line] = folder;
  lines_[line].folder = ShownPath(folder);
  lines_[line].origin = std::string(FolderOriginText(FolderOrigin::kSettingsKey));
  lines_[line].resettable = true;
}

void FoldersDialogModel::Reset(std::size_t line) {
  if (!lines_[line].resettable)
    return;
  changes_[line] = std::nullopt;
  lines_[line].folder.clear();
  lines_[line].origin = std::string(kAutomatic);
  lines_[line].resettable = false;
}

void FoldersDialogModel::Save(const std::filesystem::path& settings_file) const {
  if (changes_.empty())
    return;
  std::vector<IniProfile::Entry> entries;
  for (const auto& [line, folder] : changes_) {
    entries.push_back({std::string(lines_[line].key),
                       folder ? std::optional(PathToUtf8(*folder)) : std::nullopt});
  }
  IniProfile(settings_file).Write(kMainSection, entries);
}

}  // namespace korvanta

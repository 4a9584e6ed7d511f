#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/folder_source.hpp"
#include "settings/ini_profile.hpp"

namespace korvanta {

// The settings file and its section of folder keys.
inline constexpr std::string_view kSettingsFileName = "korvanta.ini";
inline constexpr std::string_view kMainSection = "Main";

// A folder key of section "Main": none when the key is missing or holds
// "nic", which settings files use for "not set".
std::optional<std::string> FolderSetting(const IniProfile& settings, std::string_view key);

// The folders of the program, fixed at start-up and never changed by a run.
struct FolderSet {
  std::filesystem::path app_dir;          // settings file, "temp.tmp", "route.txt"
  std::filesystem::path documents_dir;    // the user's documents folder
  std::filesystem::path plan_folder;      // FS2004 plans
  bool plan_folder_named = false;         // plan_folder is the setting's, not the default
  std::filesystem::path fsx_plan_folder;  // FSX plans (the folder looked for)
  bool fsx_plan_folder_found = false;     // whether fsx_plan_folder existed at start-up
  std::filesystem::path fs9_dir;          // FS2004 installation
  std::filesystem::path fsx_dir;          // FSX installation
  bool fs9_dir_named = false;             // named by an option, not recorded or guessed
  bool fsx_dir_named = false;

  std::filesystem::path SettingsFile() const { return app_dir / kSettingsFileName; }
};

// Start-up: the folder set from the source and the settings file in `app_dir`.
FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source);

// The program's folder: the executable's folder when it is writable, else the
// per-user data folder (created on first use).
std::filesystem::path DefaultAppDir(const std::filesystem::path& executable);

}  // namespace korvanta

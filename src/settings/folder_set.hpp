#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "settings/folder_source.hpp"
#include "settings/ini_profile.hpp"

namespace korvanta {

// The settings file and its section of folder keys.
inline constexpr std::string_view kSettingsFileName = "korvanta.ini";
inline constexpr std::string_view kMainSection = "Main";

// The folder keys of the folders found at start-up (the others belong to the
// targets' rows).
inline constexpr std::string_view kFs9FolderKey = "FS9Folder";
inline constexpr std::string_view kFsxFolderKey = "FSXFolder";
inline constexpr std::string_view kDocumentsFolderKey = "DocumentsFolder";
inline constexpr std::string_view kPlanFolderKey = "PLNFolder";
inline constexpr std::string_view kXPlaneInstallFolderKey = "XPlaneInstallFolder";
inline constexpr std::string_view kFmcDataFolderKey = "FMCDataFolder";

// A folder key of section "Main": none when the key is missing or holds
// "nic", which settings files use for "not set".
std::optional<std::string> FolderSetting(const IniProfile& settings, std::string_view key);

// A folder and where it came from; kNotSet with an empty folder when it
// came from nowhere. A folder below a named one shows where that came from,
// but is itself only looked for: `named` is the user's naming of this folder.
struct FolderInUse {
  std::filesystem::path folder;
  FolderOrigin origin = FolderOrigin::kNotSet;
  bool named = false;

  bool Set() const { return origin != FolderOrigin::kNotSet; }
  bool Named() const { return named; }
};

// The folders of the program, fixed at start-up and never changed by a run.
struct FolderSet {
  std::filesystem::path app_dir;        // settings file, "temp.tmp", "route.txt"
  std::filesystem::path documents_dir;  // the user's documents folder
  FolderOrigin documents_origin = FolderOrigin::kNotSet;
  std::filesystem::path plan_folder;  // FS2004 plans
  bool plan_folder_named = false;     // plan_folder is an option's or the setting's
  FolderOrigin plan_folder_origin = FolderOrigin::kNotSet;
  std::filesystem::path fsx_plan_folder;  // FSX plans (the folder looked for)
  bool fsx_plan_folder_found = false;     // whether fsx_plan_folder existed at start-up
  std::filesystem::path fs9_dir;          // FS2004 installation
  std::filesystem::path fsx_dir;          // FSX installation
  bool fs9_dir_named = false;             // named by an option or a setting, not found
  bool fsx_dir_named = false;
  FolderOrigin fs9_origin = FolderOrigin::kDefault;
  FolderOrigin fsx_origin = FolderOrigin::kDefault;
  // The X-Plane installation (the folder holding "Output" and "Resources").
  FolderInUse xplane_install;
  // The folder of the airport list "wpNavApt.txt".
  FolderInUse fmc_data;
  // The "UserCfg.opt" of each MSFS edition that is installed.
  std::optional<std::filesystem::path> msfs2020_settings;
  std::optional<std::filesystem::path> msfs2024_settings;
  // The folders that options name, by settings key: they come before the
  // settings file's.
  std::map<std::string, std::filesystem::path, std::less<>> option_folders;

  std::filesystem::path SettingsFile() const { return app_dir / kSettingsFileName; }
  // The airport list of the FMC data folder, its name spelt in any case;
  // "wpNavApt.txt" there when the folder holds none.
  std::filesystem::path AirportListFile() const;
};

// The folder of a folder key as the user named it: the option's, else the
// settings file's; none when neither names it.
std::optional<FolderInUse> NamedFolder(const FolderSet& folders, const IniProfile& settings,
                                       std::string_view key);

// Start-up: the folder set from the source and the settings file in `app_dir`.
FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source);

// The program's folder: the executable's folder when it is writable, else the
// per-user data folder (created on first use).
std::filesystem::path DefaultAppDir(const std::filesystem::path& executable);

}  // namespace korvanta

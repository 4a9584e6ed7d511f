#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "app/folder_source.hpp"
#include "app/ini_profile.hpp"

namespace korvanta {

// The settings file's section and the text that means "not set".
inline constexpr std::string_view kSettingsFileName = "korvanta.ini";
inline constexpr std::string_view kMainSection = "Main";
inline constexpr std::string_view kNotSet = "nic";

// The folders of the program, fixed at start-up and never changed by a run.
struct FolderSet {
  std::filesystem::path AppDir;        // settings file, "temp.tmp", "route.txt"
  std::filesystem::path PersonalDir;   // the user's documents folder
  std::filesystem::path PlnFolder;     // FS2004 plans
  std::filesystem::path FsxPlnFolder;  // FSX plans (the folder looked for)
  bool FsxPlnFolderFound = false;      // whether FsxPlnFolder existed at start-up
  std::filesystem::path Fs9Dir;        // FS2004 installation
  std::filesystem::path FsxDir;        // FSX installation

  std::filesystem::path SettingsFile() const { return AppDir / kSettingsFileName; }
};

// Start-up: the folder set from the source and the settings file in `app_dir`.
FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source);

// The program's folder: the executable's folder when it is writable, else the
// per-user data folder (created on first use).
std::filesystem::path DefaultAppDir(const std::filesystem::path& executable);

}  // namespace korvanta

#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// Where a folder in use came from, as `korvanta-cli folders` and the Folders
// dialog name it.
enum class FolderOrigin {
  kOption,       // a command-line option
  kSettingsKey,  // a key of the settings file
  kRegistry,     // the Windows registry
  kWinePrefix,   // the Wine prefix's registry files and folders
  kXPlaneList,   // X-Plane's installer's list of installations
  kDefault,      // where the simulator installs when asked nothing, or a fixed folder
  // A folder in or below another folder in use, wherever that came from.
  kSimulatorFolder,     // the run's simulator folder
  kDocumentsFolder,     // the documents folder
  kXPlaneInstallation,  // the X-Plane installation
  kNotSet,              // nowhere: the folder is not set
};
std::string_view FolderOriginText(FolderOrigin origin);

// Whether the user named the folder (an option or a settings key): a named
// folder that does not exist is a mistake to report, one only looked for
// means "not installed".
inline bool NamedOrigin(FolderOrigin origin) {
  return origin == FolderOrigin::kOption || origin == FolderOrigin::kSettingsKey;
}

// Where the folder set comes from: the user's documents folder, the
// simulators' installation folders and the places where other simulators
// leave their traces, each optional (a missing one takes its default).
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // The user's documents folder (the shell folder "Personal").
  virtual std::optional<std::filesystem::path> Documents() const = 0;
  // FS2004's "EXE Path"; FSX's "SetupPath", else the Steam Edition's
  // "AppPath".
  virtual std::optional<std::filesystem::path> Fs9Path() const = 0;
  virtual std::optional<std::filesystem::path> FsxPath() const = 0;
  // Both simulators' folder when the installation is not recorded
  // ("c:\Program Files\Microsoft Games\FS9", in this source's terms).
  virtual std::filesystem::path DefaultSimulatorPath() const = 0;
  // Whether the user named the simulator's folder (an option), rather than
  // the platform recording or guessing it.
  virtual bool Fs9Named() const { return false; }
  virtual bool FsxNamed() const { return false; }
  virtual bool DocumentsNamed() const { return false; }
  // What the found values above are taken from (the registry, the Wine prefix).
  virtual FolderOrigin FoundOrigin() const { return FolderOrigin::kRegistry; }
  // Where the found documents folder came from: as the other values, unless
  // the source fell back to a fixed folder.
  virtual FolderOrigin DocumentsOrigin() const { return FoundOrigin(); }
  // The folder of X-Plane's lists of installations ("x-plane_install_12.txt").
  virtual std::optional<std::filesystem::path> XPlaneListFolder() const { return std::nullopt; }
  // The user's local and roaming application data folders, where the MSFS
  // editions keep their "UserCfg.opt".
  virtual std::optional<std::filesystem::path> LocalAppData() const { return std::nullopt; }
  virtual std::optional<std::filesystem::path> RoamingAppData() const { return std::nullopt; }
  // The folders that options name, by settings key ("IFGFolder", ...).
  virtual std::map<std::string, std::filesystem::path, std::less<>> OptionFolders() const {
    return {};
  }
};

// Values given by the caller (tests, the command line's overrides).
class FixedFolderSource : public FolderSource {
 public:
  std::optional<std::filesystem::path> documents;
  std::optional<std::filesystem::path> fs9;
  std::optional<std::filesystem::path> fsx;
  std::filesystem::path default_simulator = "c:/Program Files/Microsoft Games/FS9";
  std::optional<std::filesystem::path> xplane_lists;
  std::optional<std::filesystem::path> local_app_data;
  std::optional<std::filesystem::path> roaming_app_data;
  std::map<std::string, std::filesystem::path, std::less<>> option_folders;

  std::optional<std::filesystem::path> Documents() const override { return documents; }
  std::optional<std::filesystem::path> Fs9Path() const override { return fs9; }
  std::optional<std::filesystem::path> FsxPath() const override { return fsx; }
  std::filesystem::path DefaultSimulatorPath() const override { return default_simulator; }
  bool Fs9Named() const override { return fs9.has_value(); }
  bool FsxNamed() const override { return fsx.has_value(); }
  bool DocumentsNamed() const override { return documents.has_value(); }
  FolderOrigin FoundOrigin() const override { return FolderOrigin::kOption; }
  std::optional<std::filesystem::path> XPlaneListFolder() const override { return xplane_lists; }
  std::optional<std::filesystem::path> LocalAppData() const override { return local_app_data; }
  std::optional<std::filesystem::path> RoamingAppData() const override { return roaming_app_data; }
  std::map<std::string, std::filesystem::path, std::less<>> OptionFolders() const override {
    return option_folders;
  }
};

// The source of this platform: the registry on Windows, the Wine prefix on
// Linux and other POSIX systems.
std::unique_ptr<FolderSource> PlatformFolderSource();

}  // namespace korvanta

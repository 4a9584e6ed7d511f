#include "settings/folder_set.hpp"

#include <system_error>

#include "files/file_output.hpp"
#include "io/file_name_case.hpp"
#include "io/utf8_path.hpp"
#include "settings/app_dir.hpp"
#include "settings/simulator_traces.hpp"

namespace korvanta {

std::filesystem::path FolderSet::AirportListFile() const {
  return FindFileIgnoringCase(fmc_data.folder, "wpNavApt.txt")
      .value_or(fmc_data.folder / "wpNavApt.txt");
}

std::string_view FolderOriginText(FolderOrigin origin) {
  switch (origin) {
    case FolderOrigin::kOption:
      return "option";
    case FolderOrigin::kSettingsKey:
      return "settings key";
    case FolderOrigin::kRegistry:
      return "registry";
    case FolderOrigin::kWinePrefix:
      return "Wine prefix";
    case FolderOrigin::kXPlaneList:
      return "X-Plane's list";
    case FolderOrigin::kDefault:
      return "default";
    case FolderOrigin::kSimulatorFolder:
      return "simulator folder";
    case FolderOrigin::kDocumentsFolder:
      return "documents folder";
    case FolderOrigin::kXPlaneInstallation:
      return "X-Plane installation";
    case FolderOrigin::kNotSet:
      break;
  }
  return "not set";
}

std::optional<std::string> FolderSetting(const IniProfile& settings, std::string_view key) {
  // The stored text of "not set"; a missing key reads as it too.
  constexpr std::string_view kStoredNotSet = "nic";
  std::string value = settings.Read(kMainSection, key, kStoredNotSet);
  if (value == kStoredNotSet)
    return std::nullopt;
  return value;
}

std::optional<FolderInUse> NamedFolder(const FolderSet& folders, const IniProfile& settings,
                                       std::string_view key) {
  if (const auto option = folders.option_folders.find(key); option != folders.option_folders.end())
    return FolderInUse{option->second, FolderOrigin::kOption, true};
  if (const std::optional<std::string> setting = FolderSetting(settings, key))
    return FolderInUse{PathFromUtf8(*setting), FolderOrigin::kSettingsKey, true};
  return std::nullopt;
}

namespace {

// A simulator's folder: named by an option or the settings, else recorded
// by the platform, else where the simulator installs when asked nothing.
FolderInUse SimulatorFolder(const FolderSet& folders, const IniProfile& settings,
                            std::string_view key, const FolderSource& source,
                            const std::optional<std::filesystem::path>& recorded,
                            bool source_named) {
  if (source_named && recorded)
    return {WithoutTrailingSeparator(*recorded), FolderOrigin::kOption, true};
  if (std::optional<FolderInUse> named = NamedFolder(folders, settings, key))
    return {WithoutTrailingSeparator(named->folder), named->origin, true};
  if (recorded && !recorded->empty())
    return {WithoutTrailingSeparator(*recorded), source.FoundOrigin()};
  return {source.DefaultSimulatorPath(), FolderOrigin::kDefault};
}

}  // namespace

FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source) {
  FolderSet f;
  f.app_dir = app_dir;
  f.option_folders = source.OptionFolders();
  const IniProfile settings(f.SettingsFile());

  if (const std::optional<std::filesystem::path> found = source.Documents();
      found && source.DocumentsNamed()) {
    f.documents_dir = *found;
    f.documents_origin = FolderOrigin::kOption;
  } else if (std::optional<FolderInUse> named = NamedFolder(f, settings, kDocumentsFolderKey)) {
    f.documents_dir = named->folder;
    f.documents_origin = named->origin;
  } else if (found) {
    f.documents_dir = *found;
    f.documents_origin = source.DocumentsOrigin();
  }

  const std::optional<FolderInUse> plan_key = NamedFolder(f, settings, kPlanFolderKey);
  f.plan_folder = plan_key ? plan_key->folder : f.documents_dir / "Flight Simulator Files";
  f.plan_folder_named = plan_key.has_value();
  f.plan_folder_origin = plan_key ? plan_key->origin : FolderOrigin::kDocumentsFolder;
  f.fsx_plan_folder = f.documents_dir / "Flight Simulator X Files";
  std::error_code ec;
  f.fsx_plan_folder_found = std::filesystem::is_directory(f.fsx_plan_folder, ec);

  const FolderInUse fs9 =
      SimulatorFolder(f, settings, kFs9FolderKey, source, source.Fs9Path(), source.Fs9Named());
  const FolderInUse fsx =
      SimulatorFolder(f, settings, kFsxFolderKey, source, source.FsxPath(), source.FsxNamed());
  f.fs9_dir = fs9.folder;
  f.fs9_origin = fs9.origin;
  f.fs9_dir_named = fs9.Named();
  f.fsx_dir = fsx.folder;
  f.fsx_origin = fsx.origin;
  f.fsx_dir_named = fsx.Named();

  if (std::optional<FolderInUse> named = NamedFolder(f, settings, kXPlaneInstallFolderKey)) {
    f.xplane_install = *named;
  } else if (const auto lists = source.XPlaneListFolder()) {
    if (std::optional<std::filesystem::path> found = FindXPlaneInstallation(*lists))
      f.xplane_install = {*found, FolderOrigin::kXPlaneList};
  }
  f.fmc_data =
      NamedFolder(f, settings, kFmcDataFolderKey)
          .value_or(FolderInUse{f.fs9_dir / "Fmcwp" / "NAVDATA", FolderOrigin::kSimulatorFolder});

  f.msfs2020_settings = FindMsfsSettings(kMsfs2020, source.LocalAppData(), source.RoamingAppData());
  f.msfs2024_settings = FindMsfsSettings(kMsfs2024, source.LocalAppData(), source.RoamingAppData());
  return f;
}

std::filesystem::path DefaultAppDir(const std::filesystem::path& executable) {
  const std::filesystem::path folder = executable.parent_path();
  if (CanCreateFilesIn(folder))
    return folder;
  const std::filesystem::path data = UserDataFolder();
  std::error_code ec;
  std::filesystem::create_directories(data, ec);
  return data;
}

}  // namespace korvanta

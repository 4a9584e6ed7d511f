#include "settings/folder_set.hpp"

#include <system_error>

#include "files/file_output.hpp"
#include "io/utf8_path.hpp"
#include "settings/app_dir.hpp"

namespace korvanta {

std::optional<std::string> FolderSetting(const IniProfile& settings, std::string_view key) {
  // The stored text of "not set"; a missing key reads as it too.
  constexpr std::string_view kStoredNotSet = "nic";
  std::string value = settings.Read(kMainSection, key, kStoredNotSet);
  if (value == kStoredNotSet)
    return std::nullopt;
  return value;
}

FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source) {
  FolderSet f;
  f.app_dir = app_dir;
  const IniProfile settings(f.SettingsFile());
  const std::optional<std::string> plan_key = FolderSetting(settings, "PLNFolder");

  f.documents_dir = source.Documents().value_or(std::filesystem::path());
  f.plan_folder = plan_key ? PathFromUtf8(*plan_key) : f.documents_dir / "Flight Simulator Files";
  f.plan_folder_named = plan_key.has_value();
  f.fsx_plan_folder = f.documents_dir / "Flight Simulator X Files";
  std::error_code ec;
  f.fsx_plan_folder_found = std::filesystem::is_directory(f.fsx_plan_folder, ec);

  const auto simulator = [&](const std::optional<std::filesystem::path>& recorded) {
    if (!recorded || recorded->empty())
      return source.DefaultSimulatorPath();
    return WithoutTrailingSeparator(*recorded);
  };
  f.fs9_dir = simulator(source.Fs9Path());
  f.fsx_dir = simulator(source.FsxPath());
  f.fs9_dir_named = source.Fs9Named();
  f.fsx_dir_named = source.FsxNamed();
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

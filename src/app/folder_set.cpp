#include "app/folder_set.hpp"

#include <system_error>

#include "app/app_dir.hpp"
#include "app/file_output.hpp"
#include "route/utf8_path.hpp"

namespace korvanta {

FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source) {
  FolderSet f;
  f.AppDir = app_dir;
  const IniProfile settings(f.SettingsFile());
  const std::string pln_key(settings.Read(kMainSection, "PLNFolder", kNotSet));

  f.PersonalDir = source.Personal().value_or(std::filesystem::path());
  f.PlnFolder =
      pln_key == kNotSet ? f.PersonalDir / "Flight Simulator Files" : PathFromUtf8(pln_key);
  f.FsxPlnFolder = f.PersonalDir / "Flight Simulator X Files";
  std::error_code ec;
  f.FsxPlnFolderFound = std::filesystem::is_directory(f.FsxPlnFolder, ec);

  const auto simulator = [&](const std::optional<std::filesystem::path>& recorded) {
    if (!recorded || recorded->empty())
      return source.DefaultSimulatorPath();
    return WithoutTrailingSeparator(*recorded);
  };
  f.Fs9Dir = simulator(source.Fs9Path());
  f.FsxDir = simulator(source.FsxPath());
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

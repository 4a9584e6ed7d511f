#include "app/folder_set.hpp"

#include <cstdlib>
#include <system_error>

#include "app/file_output.hpp"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace korvanta {

FolderSet BuildFolderSet(const std::filesystem::path& app_dir, const FolderSource& source) {
  FolderSet f;
  f.AppDir = app_dir;
  const IniProfile settings(f.SettingsFile());
  const std::string pln_key(settings.Read(kMainSection, "PLNFolder", kNotSet));

  f.PersonalDir = source.Personal().value_or(std::filesystem::path());
  f.PlnFolder = pln_key == kNotSet ? f.PersonalDir / "Flight Simulator Files"
                                   : std::filesystem::path(pln_key);
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

namespace {
bool WritableFolder(const std::filesystem::path& folder) {
#ifdef _WIN32
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec);
#else
  return !folder.empty() && ::access(folder.c_str(), W_OK) == 0;
#endif
}
}  // namespace

std::filesystem::path DefaultAppDir(const std::filesystem::path& executable) {
  const std::filesystem::path folder = executable.parent_path();
  if (WritableFolder(folder))
    return folder;
  std::filesystem::path data;
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
    data = std::filesystem::path(xdg) / "korvanta";
  } else if (const char* home = std::getenv("HOME"); home && *home) {
    data = std::filesystem::path(home) / ".local" / "share" / "korvanta";
  } else {
    data = std::filesystem::temp_directory_path() / "korvanta";
  }
  std::error_code ec;
  std::filesystem::create_directories(data, ec);
  return data;
}

}  // namespace korvanta

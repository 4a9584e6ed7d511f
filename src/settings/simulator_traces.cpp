#include "settings/simulator_traces.hpp"

#include <string>
#include <system_error>

#include "files/file_output.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "text/numbers.hpp"

namespace korvanta {

namespace {

// A list names a few folders: kilobytes.
constexpr std::size_t kInstallListLimit = std::size_t{64} << 10;

bool IsFile(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_regular_file(path, error);
}

}  // namespace

std::optional<std::filesystem::path> FindXPlaneInstallation(
    const std::filesystem::path& list_folder) {
  for (const std::string_view list : {"x-plane_install_12.txt", "x-plane_install_11.txt"}) {
    const FileRead read = ReadFileBytes(list_folder / list, kInstallListLimit);
    if (!read.Ok())
      continue;
    std::string_view rest = read.bytes;
    while (!rest.empty()) {
      const std::size_t end = rest.find('\n');
      const std::string_view line = Trim(rest.substr(0, end));
      rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
      if (line.empty())
        continue;
      const std::filesystem::path folder = WithoutTrailingSeparator(PathFromUtf8(line));
      std::error_code error;
      if (std::filesystem::is_directory(folder, error))
        return folder;
    }
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> FindMsfsSettings(
    const MsfsEdition& edition, const std::optional<std::filesystem::path>& local_app_data,
    const std::optional<std::filesystem::path>& roaming_app_data) {
  constexpr std::string_view kSettingsFile = "UserCfg.opt";
  if (local_app_data) {
    const std::filesystem::path store = *local_app_data / "Packages" /
                                        PathFromUtf8(edition.store_package) / "LocalCache" /
                                        kSettingsFile;
    if (IsFile(store))
      return store;
  }
  if (roaming_app_data) {
    const std::filesystem::path steam =
        *roaming_app_data / PathFromUtf8(edition.steam_folder) / kSettingsFile;
    if (IsFile(steam))
      return steam;
  }
  return std::nullopt;
}

}  // namespace korvanta

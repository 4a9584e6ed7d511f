#include <unistd.h>

#include <cstdlib>
#include <system_error>

#include "io/utf8_path.hpp"
#include "settings/app_dir.hpp"

namespace korvanta {

bool CanCreateFilesIn(const std::filesystem::path& folder) {
  std::error_code ec;
  return std::filesystem::is_directory(folder, ec) && ::access(folder.c_str(), W_OK) == 0;
}

std::filesystem::path UserDataFolder() {
  if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
    return PathFromUtf8(xdg) / "korvanta";
  if (const char* home = std::getenv("HOME"); home && *home)
    return PathFromUtf8(home) / ".local" / "share" / "korvanta";
  return std::filesystem::temp_directory_path() / "korvanta";
}

}  // namespace korvanta

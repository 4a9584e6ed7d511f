// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <cstdlib>
#include <string>

#include "settings/app_dir.hpp"

namespace korvanta {

bool CanCreateFilesIn(const std::filesystem::path& folder) {
  if (folder.empty())
    return false;
  // A probe file of this process's own, gone again when its handle closes.
  const std::filesystem::path probe =
      folder / (L"korvanta-probe-" + std::to_wstring(GetCurrentProcessId()) + L".tmp");
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE)
    return false;
  CloseHandle(file);
  return true;
}

std::filesystem::path UserDataFolder() {
  std::filesystem::path local;
  wchar_t* known = nullptr;
  if (SUCCEEDED(SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &known)) && known &&
      *known) {
    local = known;
  } else if (const wchar_t* env = _wgetenv(L"LOCALAPPDATA"); env && *env) {
    local = env;
  } else {
    local = std::filesystem::temp_directory_path();
  }
  CoTaskMemFree(known);
  return local / L"Korvanta";
}

std::filesystem::path RunningProgramFile() {
  std::wstring name(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, name.data(), static_cast<DWORD>(name.size()));
    if (length == 0)
      return {};
    if (length < name.size()) {
      name.resize(length);
      return name;
    }
    name.resize(name.size() * 2);
  }
}

}  // namespace korvanta

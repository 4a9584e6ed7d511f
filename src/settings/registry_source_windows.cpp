#include "settings/registry_source.hpp"

// clang-format off
#include <windows.h>
#include <shlobj.h>
// clang-format on

#include <memory>

namespace korvanta {

namespace {

// An open registry key, closed when it goes.
class RegistryKey {
 public:
  RegistryKey(HKEY root, const std::wstring& name, REGSAM view) {
    if (RegOpenKeyExW(root, name.c_str(), 0, KEY_QUERY_VALUE | view, &key_) != ERROR_SUCCESS)
      key_ = nullptr;
  }
  ~RegistryKey() {
    if (key_ != nullptr)
      RegCloseKey(key_);
  }
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;

  // The text of a string value (an expandable one expanded); nullopt when the
  // key or the value is missing or holds no text.
  std::optional<std::wstring> Text(const wchar_t* value_name) const {
    if (key_ == nullptr)
      return std::nullopt;
    // Plain strings; an expandable one comes back expanded, as a plain one.
    constexpr DWORD kStrings = RRF_RT_REG_SZ;
    for (;;) {
      DWORD bytes = 0;
      if (RegGetValueW(key_, nullptr, value_name, kStrings, nullptr, nullptr, &bytes) !=
          ERROR_SUCCESS) {
        return std::nullopt;
      }
      std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
      bytes = static_cast<DWORD>(text.size() * sizeof(wchar_t));
      const LSTATUS status =
          RegGetValueW(key_, nullptr, value_name, kStrings, nullptr, text.data(), &bytes);
      if (status == ERROR_MORE_DATA)
        continue;  // the value grew between the two calls
      if (status != ERROR_SUCCESS)
        return std::nullopt;
      text.resize(wcsnlen(text.c_str(), text.size()));
      if (text.empty())
        return std::nullopt;
      return text;
    }
  }

 private:
  HKEY key_ = nullptr;
};

struct CoTaskMemDeleter {
  void operator()(wchar_t* p) const { CoTaskMemFree(p); }
};

std::optional<std::filesystem::path> KnownFolder(const KNOWNFOLDERID& id) {
  wchar_t* raw = nullptr;
  const HRESULT result = SHGetKnownFolderPath(id, 0, nullptr, &raw);
  const std::unique_ptr<wchar_t, CoTaskMemDeleter> folder(raw);
  if (FAILED(result) || folder == nullptr || *folder == L'\0')
    return std::nullopt;
  return std::filesystem::path(folder.get());
}

}  // namespace

RegistryFolderSource::RegistryFolderSource(std::wstring software_key)
    : software_key_(std::move(software_key)) {}

std::optional<std::filesystem::path> RegistryFolderSource::Documents() const {
  if (auto documents = KnownFolder(FOLDERID_Documents))
    return documents;
  const RegistryKey shell_folders(
      HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
      0);
  if (auto documents = shell_folders.Text(L"Personal"))
    return std::filesystem::path(*documents);
  return std::nullopt;
}

std::optional<std::filesystem::path> RegistryFolderSource::SimulatorFolder(
    std::wstring_view version, const wchar_t* value_name) const {
  const std::wstring key =
      software_key_ + L"\\Microsoft\\Microsoft Games\\Flight Simulator\\" + std::wstring(version);
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    if (auto folder = RegistryKey(HKEY_LOCAL_MACHINE, key, view).Text(value_name))
      return std::filesystem::path(*folder);
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> RegistryFolderSource::Fs9Path() const {
  return SimulatorFolder(L"9.0", L"EXE Path");
}

std::optional<std::filesystem::path> RegistryFolderSource::FsxPath() const {
  if (auto boxed = SimulatorFolder(L"10.0", L"SetupPath"))
    return boxed;
  // The Steam Edition files its folder for the user, else for the machine.
  const std::wstring steam =
      software_key_ + L"\\Microsoft\\Microsoft Games\\Flight Simulator - Steam Edition\\10.0";
  if (auto folder = RegistryKey(HKEY_CURRENT_USER, steam, 0).Text(L"AppPath"))
    return std::filesystem::path(*folder);
  for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
    if (auto folder = RegistryKey(HKEY_LOCAL_MACHINE, steam, view).Text(L"AppPath"))
      return std::filesystem::path(*folder);
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> RegistryFolderSource::XPlaneListFolder() const {
  return LocalAppData();
}

std::optional<std::filesystem::path> RegistryFolderSource::LocalAppData() const {
  return KnownFolder(FOLDERID_LocalAppData);
}

std::optional<std::filesystem::path> RegistryFolderSource::RoamingAppData() const {
  return KnownFolder(FOLDERID_RoamingAppData);
}

std::filesystem::path RegistryFolderSource::DefaultSimulatorPath() const {
  return L"c:\\Program Files\\Microsoft Games\\FS9";
}

std::unique_ptr<FolderSource> PlatformFolderSource() {
  return std::make_unique<RegistryFolderSource>();
}

}  // namespace korvanta

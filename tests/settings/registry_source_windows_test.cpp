// The registry source on Windows, against the registry itself, under a key
// of the test's own so that nothing else reads or writes it.

#include "settings/registry_source.hpp"

#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
// clang-format on

#include <string>

namespace korvanta {
namespace {

// HKLM\SOFTWARE\<own name> in both registry views and HKCU\SOFTWARE\<own
// name>, deleted at the end.
class OwnSoftwareKey {
 public:
  OwnSoftwareKey() : name_(L"SOFTWARE\\KorvantaTest" + std::to_wstring(GetCurrentProcessId())) {}
  ~OwnSoftwareKey() {
    for (const REGSAM view : {KEY_WOW64_32KEY, KEY_WOW64_64KEY}) {
      HKEY software = nullptr;
      if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | view, &software) ==
          ERROR_SUCCESS) {
        RegDeleteTreeW(software, name_.substr(9).c_str());
        RegCloseKey(software);
      }
    }
    HKEY software = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, L"SOFTWARE", 0, KEY_ALL_ACCESS, &software) ==
        ERROR_SUCCESS) {
      RegDeleteTreeW(software, name_.substr(9).c_str());
      RegCloseKey(software);
    }
  }
  OwnSoftwareKey(const OwnSoftwareKey&) = delete;
  OwnSoftwareKey& operator=(const OwnSoftwareKey&) = delete;

  // Files `value` under "Microsoft Games\<product>\<version>" of `root` in
  // one view.
  void Set(REGSAM view, const std::wstring& version, const wchar_t* name, const std::wstring& value,
           DWORD type = REG_SZ, HKEY root = HKEY_LOCAL_MACHINE,
           const std::wstring& product = L"Flight Simulator") const {
    const std::wstring key = name_ + L"\\Microsoft\\Microsoft Games\\" + product + L"\\" + version;
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE | view, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    RegSetValueExW(handle, name, 0, type, reinterpret_cast<const BYTE*>(value.c_str()),
                   type == REG_DWORD ? sizeof(DWORD)
                                     : static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(handle);
  }
  const std::wstring& Name() const { return name_; }

 private:
  std::wstring name_;
};

using Path = std::optional<std::filesystem::path>;

TEST(RegistryFolderSource, ThirtyTwoBitViewFirstThenSixtyFourBit) {
  const OwnSoftwareKey key;
  const RegistryFolderSource source(key.Name());
  EXPECT_EQ(source.Fs9Path(), std::nullopt);
  EXPECT_EQ(source.FsxPath(), std::nullopt);

  key.Set(KEY_WOW64_64KEY, L"9.0", L"EXE Path", L"D:\\Native\\FS9");
  key.Set(KEY_WOW64_64KEY, L"10.0", L"SetupPath", L"E:\\FSX\\");
  EXPECT_EQ(source.Fs9Path(), Path(L"D:\\Native\\FS9"));
  EXPECT_EQ(source.FsxPath(), Path(L"E:\\FSX\\"));

  // Where the simulators' 32-bit installers write, "Z\u00DCRICH" kept.
  key.Set(KEY_WOW64_32KEY, L"9.0", L"EXE Path", L"C:\\Games\\FS9 Z\u00DCRICH\\");
  EXPECT_EQ(source.Fs9Path(), Path(L"C:\\Games\\FS9 Z\u00DCRICH\\"));
  EXPECT_EQ(source.FsxPath(), Path(L"E:\\FSX\\"));

  // An empty value counts as missing; the other view is not asked for it.
  key.Set(KEY_WOW64_32KEY, L"10.0", L"SetupPath", L"");
  EXPECT_EQ(source.FsxPath(), Path(L"E:\\FSX\\"));
}

TEST(RegistryFolderSource, ValuesOfOtherKindsAndNames) {
  const OwnSoftwareKey key;
  const RegistryFolderSource source(key.Name());
  // The FSX value name under the FS2004 key, and a number, are not folders.
  key.Set(KEY_WOW64_32KEY, L"9.0", L"SetupPath", L"C:\\Wrong");
  key.Set(KEY_WOW64_32KEY, L"10.0", L"SetupPath", L"12", REG_DWORD);
  EXPECT_EQ(source.Fs9Path(), std::nullopt);
  EXPECT_EQ(source.FsxPath(), std::nullopt);
  // An expandable string is expanded.
  key.Set(KEY_WOW64_32KEY, L"9.0", L"EXE Path", L"%SystemDrive%\\FS9", REG_EXPAND_SZ);
  wchar_t drive[8] = {};
  GetEnvironmentVariableW(L"SystemDrive", drive, 8);
  EXPECT_EQ(source.Fs9Path(), Path(std::wstring(drive) + L"\\FS9"));
}

// FSX Steam Edition counts when the boxed FSX is absent: the user's key
// before the machine's.
TEST(RegistryFolderSource, FsxSteamEdition) {
  const OwnSoftwareKey key;
  const RegistryFolderSource source(key.Name());
  const std::wstring steam = L"Flight Simulator - Steam Edition";
  key.Set(KEY_WOW64_32KEY, L"10.0", L"AppPath", L"D:\\Steam\\Machine\\", REG_SZ, HKEY_LOCAL_MACHINE,
          steam);
  EXPECT_EQ(source.FsxPath(), Path(L"D:\\Steam\\Machine\\"));
  key.Set(0, L"10.0", L"AppPath", L"D:\\Steam\\User\\", REG_SZ, HKEY_CURRENT_USER, steam);
  EXPECT_EQ(source.FsxPath(), Path(L"D:\\Steam\\User\\"));
  key.Set(KEY_WOW64_32KEY, L"10.0", L"SetupPath", L"E:\\FSX\\");
  EXPECT_EQ(source.FsxPath(), Path(L"E:\\FSX\\"));
}

TEST(RegistryFolderSource, DocumentsAndDefaultFolder) {
  const RegistryFolderSource source;
  const auto documents = source.Documents();
  ASSERT_TRUE(documents.has_value());
  EXPECT_TRUE(documents->is_absolute()) << *documents;
  EXPECT_TRUE(std::filesystem::is_directory(*documents)) << *documents;
  EXPECT_EQ(source.DefaultSimulatorPath(),
            std::filesystem::path(L"c:\\Program Files\\Microsoft Games\\FS9"));
}

}  // namespace
}  // namespace korvanta

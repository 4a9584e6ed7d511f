#include "settings/wine_prefix_source.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "settings/folder_set.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;
using test::TempDir;
using test::WriteFile;

// Sets (or clears, for nullptr) an environment variable for one test.
class EnvGuard {
 public:
  EnvGuard(const char* name, const char* value) : name_(name) {
    if (const char* old = std::getenv(name))
      old_ = old;
    if (value) {
      ::setenv(name, value, 1);
    } else {
      ::unsetenv(name);
    }
  }
  ~EnvGuard() {
    if (old_) {
      ::setenv(name_, old_->c_str(), 1);
    } else {
      ::unsetenv(name_);
    }
  }
  EnvGuard(const EnvGuard&) = delete;
  EnvGuard& operator=(const EnvGuard&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

constexpr const char* kSystemHead =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\Machine\n"
    "\n"
    "#arch=win64\n"
    "\n";

// A Wine prefix below a temporary folder: drive C is the prefix's drive_c,
// drive D another folder, the home folder next to both.
class WinePrefix {
 public:
  WinePrefix() {
    fs::create_directories(prefix() / "drive_c");
    fs::create_directories(prefix() / "dosdevices");
    fs::create_directories(d_drive());
    fs::create_directories(home());
    fs::create_symlink("../drive_c", prefix() / "dosdevices" / "c:");
    fs::create_symlink(d_drive(), prefix() / "dosdevices" / "d:");
  }
  fs::path prefix() const { return root_ / "prefix"; }
  fs::path home() const { return root_ / "home"; }
  fs::path d_drive() const { return root_ / "d-drive"; }
  fs::path drive_c() const { return prefix() / "drive_c"; }
  WinePrefixFolderSource Source() const { return {prefix(), home()}; }

 private:
  TempDir root_;
};

constexpr const char* kShellFolders =
    "WINE REGISTRY Version 2\n"
    ";; All keys relative to \\\\User\\\\S-1-5-21-0-0-0-1000\n"
    "\n"
    "[Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Explorer\\\\Shell Folders] 1\n"
    "\"Desktop\"=\"C:\\\\users\\\\pilot\\\\Desktop\"\n";

struct SimulatorCase {
  const char* name;
  std::string keys;
  std::optional<std::string> fs9;  // below drive C
  std::optional<std::string> fsx;
};

TEST(WinePrefixFolderSource, SimulatorFolders) {
  const SimulatorCase cases[] = {
      {"64-bit view preferred",
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1700000000\n"
       "#time=1da0c1e2f3a4b5c\n"
       "\"EXE Path\"=\"C:\\\\Plain\\\\FS9\\\\\"\n"
       "\n"
       "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] "
       "1700000000\n"
       "\"EXE Path\"=\"C:\\\\Program Files\\\\Microsoft Games\\\\FS9\\\\\"\n"
       "\"Installed\"=dword:00000001\n",
       "Program Files/Microsoft Games/FS9", std::nullopt},
      {"32-bit prefix, names in other case, CR LF",
       "[SOFTWARE\\\\microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1700000000\r\n"
       "\"exe path\"=\"C:\\\\FS9\"\r\n"
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0] 1700000000\r\n"
       "\"SetupPath\"=str(2):\"C:\\\\FSX\\\\\"\r\n",
       "FS9", "FSX"},
      {"escapes in the value",
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1700000000\n"
       "\"EXE Path\"=\"C:\\\\Sim \\\"9\\\"\\\\\\x00e9t\\x00e9\\\\\"\n",
       "Sim \"9\"/\xC3\xA9t\xC3\xA9", std::nullopt},
      {"empty value in the 64-bit view, plain key used",
       "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1\n"
       "\"EXE Path\"=\"\"\n"
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1\n"
       "\"EXE Path\"=\"C:\\\\FS9\"\n",
       "FS9", std::nullopt},
      {"empty value, value of another type, value in another key",
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1\n"
       "\"EXE Path\"=\"\"\n"
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0] 1\n"
       "\"SetupPath\"=hex(2):43,00,3a,00,00,00\n"
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0\\\\Other] 1\n"
       "\"SetupPath\"=\"C:\\\\Other\"\n",
       std::nullopt, std::nullopt},
      {"a NUL escape ends the value, as the file functions read it",
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1\n"
       "\"EXE Path\"=\"C:\\\\FS9\\\\..\\\\Games\\0\\\\..\\\\..\\\\x\"\n",
       "Games", std::nullopt},
      {"drive that is not mapped",
       "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1\n"
       "\"EXE Path\"=\"Q:\\\\FS9\"\n",
       std::nullopt, std::nullopt},
      {"no keys", "", std::nullopt, std::nullopt},
  };
  for (const auto& c : cases) {
    const WinePrefix wine;
    WriteFile(wine.prefix() / "system.reg", kSystemHead + c.keys);
    const auto source = wine.Source();
    const auto expect = [&](const std::optional<std::string>& rel) {
      return rel ? std::optional<fs::path>(wine.drive_c() / *rel) : std::nullopt;
    };
    EXPECT_EQ(source.Fs9Path(), expect(c.fs9)) << c.name;
    EXPECT_EQ(source.FsxPath(), expect(c.fsx)) << c.name;
  }
}

// FSX Steam Edition is taken when the boxed FSX is absent: the user's key
// first, then the machine's.
TEST(WinePrefixFolderSource, FsxSteamEdition) {
  const std::string boxed =
      "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\10.0] 1\n"
      "\"SetupPath\"=\"C:\\\\FSX\\\\\"\n";
  const std::string steam_key =
      "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator - Steam "
      "Edition\\\\10.0] 1\n";
  const std::string machine_steam =
      "[Software\\\\Wow6432Node\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator - Steam "
      "Edition\\\\10.0] 1\n\"AppPath\"=\"C:\\\\Steam\\\\FSX Machine\\\\\"\n";
  const struct {
    const char* name;
    std::string system_keys;
    std::string user_keys;
    std::optional<std::string> fsx;  // below drive C
  } cases[] = {
      {"boxed before Steam", boxed, steam_key + "\"AppPath\"=\"C:\\\\Steam\\\\FSX\"\n", "FSX"},
      {"the user's Steam key", machine_steam,
       steam_key + "\"AppPath\"=\"C:\\\\Steam\\\\FSX User\\\\\"\n", "Steam/FSX User"},
      {"the machine's Steam key", machine_steam, "", "Steam/FSX Machine"},
      {"Steam key without AppPath", "", steam_key + "\"SetupPath\"=\"C:\\\\x\"\n", std::nullopt},
  };
  for (const auto& c : cases) {
    const WinePrefix wine;
    WriteFile(wine.prefix() / "system.reg", kSystemHead + c.system_keys);
    WriteFile(wine.prefix() / "user.reg", "WINE REGISTRY Version 2\n\n" + c.user_keys);
    const auto expected = c.fsx ? std::optional(wine.drive_c() / *c.fsx) : std::nullopt;
    EXPECT_EQ(wine.Source().FsxPath(), expected) << c.name;
  }
}

// X-Plane's lists of installations in ~/.x-plane and the MSFS editions'
// "UserCfg.opt" in the prefix's application data folders, as the folder set
// takes them.
TEST(WinePrefixFolderSource, OtherSimulatorsFound) {
  const struct {
    const char* name;
    std::vector<std::pair<std::string, std::string>> files;  // below the temporary folder
    std::string settings;                                    // korvanta.ini's [Main] lines
    std::string xplane;  // the installation below the temporary folder; empty: not set
    FolderOrigin xplane_origin;
    bool msfs2020;
    bool msfs2024;
  } cases[] = {
      {"nothing installed", {}, "", "", FolderOrigin::kNotSet, false, false},
      {"X-Plane 12 before 11, the first listed folder that exists",
       {{"home/.x-plane/x-plane_install_12.txt", "/gone/X-Plane 12\r\n\r\n<root>/XP12/\r\n"},
        {"home/.x-plane/x-plane_install_11.txt", "<root>/XP11\n"}},
       "",
       "XP12",
       FolderOrigin::kXPlaneList,
       false,
       false},
      {"X-Plane 11 when no folder of 12's list exists",
       {{"home/.x-plane/x-plane_install_12.txt", "/gone/X-Plane 12\n"},
        {"home/.x-plane/x-plane_install_11.txt", "<root>/XP11"}},
       "",
       "XP11",
       FolderOrigin::kXPlaneList,
       false,
       false},
      {"the settings key before the list",
       {{"home/.x-plane/x-plane_install_12.txt", "<root>/XP12\n"}},
       "XPlaneInstallFolder=<root>/Mine\r\n",
       "Mine",
       FolderOrigin::kSettingsKey,
       false,
       false},
      {"MSFS 2020 from the Store, 2024 from Steam",
       {{"prefix/drive_c/users/pilot/AppData/Local/Packages/"
         "Microsoft.FlightSimulator_8wekyb3d8bbwe/LocalCache/UserCfg.opt",
         "Version 66\n"},
        {"prefix/drive_c/users/pilot/AppData/Roaming/Microsoft Flight Simulator 2024/UserCfg.opt",
         ""}},
       "",
       "",
       FolderOrigin::kNotSet,
       true,
       true},
      {"a Store folder without its settings file is no installation",
       {{"prefix/drive_c/users/pilot/AppData/Local/Packages/Microsoft.Limitless_8wekyb3d8bbwe/"
         "LocalCache/Other.opt",
         ""}},
       "",
       "",
       FolderOrigin::kNotSet,
       false,
       false},
  };
  for (const auto& c : cases) {
    const WinePrefix wine;
    const fs::path root = wine.home().parent_path();
    const auto rooted = [&](std::string text) {
      for (std::size_t at; (at = text.find("<root>")) != std::string::npos;)
        text.replace(at, 6, root.string());
      return text;
    };
    for (const char* folder : {"XP12", "XP11", "Mine"})
      fs::create_directories(root / folder);
    WriteFile(wine.prefix() / "user.reg",
              std::string(kShellFolders) +
                  "\"Local AppData\"=\"C:\\\\users\\\\pilot\\\\AppData\\\\Local\"\n"
                  "\"AppData\"=\"C:\\\\users\\\\pilot\\\\AppData\\\\Roaming\"\n");
    for (const auto& [file, text] : c.files)
      WriteFile(root / file, rooted(text));
    fs::create_directories(root / "app");
    if (!c.settings.empty())
      WriteFile(root / "app" / "korvanta.ini", "[Main]\r\n" + rooted(c.settings));
    const FolderSet folders = BuildFolderSet(root / "app", wine.Source());
    EXPECT_EQ(folders.xplane_install.folder, c.xplane.empty() ? fs::path() : root / c.xplane)
        << c.name;
    EXPECT_EQ(folders.xplane_install.origin, c.xplane_origin) << c.name;
    EXPECT_EQ(folders.msfs2020_settings.has_value(), c.msfs2020) << c.name;
    EXPECT_EQ(folders.msfs2024_settings.has_value(), c.msfs2024) << c.name;
  }
}

TEST(WinePrefixFolderSource, MapsDrivesThroughDosdevices) {
  const WinePrefix wine;
  const auto source = wine.Source();
  const struct {
    const char* windows;
    std::optional<fs::path> expected;
  } cases[] = {
      {"C:\\Program Files\\x", wine.drive_c() / "Program Files" / "x"},
      {"c:/a/b/", wine.drive_c() / "a" / "b"},
      {"C:", wine.drive_c()},
      {"C:\\a\\..\\..\\.\\b", wine.drive_c() / "b"},
      {"D:\\Plans\\", wine.d_drive() / "Plans"},
      {"E:\\x", std::nullopt},
      {"\\\\server\\share", std::nullopt},
      {"1:\\x", std::nullopt},
      {"relative\\x", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(source.MapWindowsPath(c.windows), c.expected) << c.windows;
  }
  // What follows a NUL is not part of the path the system opens, so its ".."
  // cannot lead out of the drive.
  using namespace std::string_view_literals;
  EXPECT_EQ(source.MapWindowsPath("C:\\a\0\\..\\..\\x"sv), wine.drive_c() / "a");
  EXPECT_EQ(source.MapWindowsPath("C:\\..\0\\..\\x"sv), wine.drive_c());
  EXPECT_EQ(source.DefaultSimulatorPath(),
            wine.drive_c() / "Program Files" / "Microsoft Games" / "FS9");
}

TEST(WinePrefixFolderSource, FindsFoldersWhateverTheirLetterCase) {
  const WinePrefix wine;
  const fs::path fs9 = wine.drive_c() / "Program Files" / "Microsoft Games" / "FS9";
  fs::create_directories(fs9);
  EXPECT_EQ(wine.Source().MapWindowsPath("c:\\PROGRAM FILES\\microsoft games\\fs9\\New"),
            fs9 / "New");
}

TEST(WinePrefixFolderSource, DriveCWithoutItsLink) {
  TempDir root;
  fs::create_directories(root / "prefix" / "drive_c");
  const WinePrefixFolderSource source(root / "prefix", root / "home");
  EXPECT_EQ(source.MapWindowsPath("C:\\FS9"), root / "prefix" / "drive_c" / "FS9");
  EXPECT_EQ(source.MapWindowsPath("D:\\FS9"), std::nullopt);

  const WinePrefixFolderSource no_prefix(root / "missing", root / "home");
  EXPECT_EQ(no_prefix.MapWindowsPath("C:\\FS9"), std::nullopt);
  EXPECT_EQ(no_prefix.DefaultSimulatorPath(),
            root / "missing" / "drive_c" / "Program Files" / "Microsoft Games" / "FS9");
}

TEST(WinePrefixFolderSource, DocumentsFolder) {
  const struct {
    const char* name;
    const char* personal;   // the "Personal" line of user.reg, or nullptr
    const char* user_dirs;  // ~/.config/user-dirs.dirs, or nullptr
    const char* expected;   // below the temporary folder; nullptr for none
  } cases[] = {
      {"registry", "\"Personal\"=\"C:\\\\users\\\\pilot\\\\Documents\"\n",
       "XDG_DOCUMENTS_DIR=\"$HOME/Docs\"\n", "prefix/drive_c/users/pilot/Documents"},
      {"registry, other drive", "\"Personal\"=\"D:\\\\Docs\\\\\"\n", nullptr, "d-drive/Docs"},
      {"unmapped drive, XDG", "\"Personal\"=\"Q:\\\\Docs\"\n",
       "# written by xdg-user-dirs-update\nXDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
       "XDG_DOCUMENTS_DIR=\"$HOME/Dokumente\"\n",
       "home/Dokumente"},
      {"XDG absolute", nullptr, "XDG_DOCUMENTS_DIR=\"/srv/docs\"\n", "/srv/docs"},
      {"XDG set to home means none", nullptr, "XDG_DOCUMENTS_DIR=\"$HOME/\"\n", "home/Documents"},
      {"no XDG entry", nullptr, "XDG_MUSIC_DIR=\"$HOME/Music\"\n", "home/Documents"},
      {"nothing at all", nullptr, nullptr, "home/Documents"},
  };
  const EnvGuard config_home("XDG_CONFIG_HOME", nullptr);
  for (const auto& c : cases) {
    const WinePrefix wine;
    const fs::path root = wine.home().parent_path();
    WriteFile(wine.prefix() / "user.reg",
              std::string(kShellFolders) + (c.personal ? c.personal : ""));
    if (c.user_dirs)
      WriteFile(wine.home() / ".config" / "user-dirs.dirs", c.user_dirs);
    EXPECT_EQ(wine.Source().Documents(), root / c.expected) << c.name;
    // Only a folder the prefix names is the prefix's; the fall-backs are defaults.
    const bool from_prefix = std::string_view(c.expected).starts_with("prefix") ||
                             std::string_view(c.expected).starts_with("d-drive");
    EXPECT_EQ(wine.Source().DocumentsOrigin(),
              from_prefix ? FolderOrigin::kWinePrefix : FolderOrigin::kDefault)
        << c.name;
  }
}

TEST(WinePrefixFolderSource, XdgConfigHomeIsHonoured) {
  const WinePrefix wine;
  const fs::path config = wine.home().parent_path() / "config";
  WriteFile(config / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Papers\"\n");
  WriteFile(wine.home() / ".config" / "user-dirs.dirs", "XDG_DOCUMENTS_DIR=\"$HOME/Wrong\"\n");
  const EnvGuard config_home("XDG_CONFIG_HOME", config.c_str());
  EXPECT_EQ(wine.Source().Documents(), wine.home() / "Papers");
}

TEST(WinePrefixFolderSource, PrefixFromEnvironment) {
  const WinePrefix wine;
  WriteFile(wine.prefix() / "system.reg",
            std::string(kSystemHead) +
                "[Software\\\\Microsoft\\\\Microsoft Games\\\\Flight Simulator\\\\9.0] 1\n"
                "\"EXE Path\"=\"C:\\\\FS9\"\n");
  const EnvGuard home("HOME", wine.home().c_str());
  {
    const EnvGuard prefix("WINEPREFIX", wine.prefix().c_str());
    EXPECT_EQ(WinePrefixFolderSource::FromEnvironment()->Fs9Path(), wine.drive_c() / "FS9");
  }
  const EnvGuard prefix("WINEPREFIX", nullptr);
  fs::create_directories(wine.home() / ".wine" / "drive_c");
  EXPECT_EQ(WinePrefixFolderSource::FromEnvironment()->DefaultSimulatorPath(),
            wine.home() / ".wine" / "drive_c" / "Program Files" / "Microsoft Games" / "FS9");
}

}  // namespace
}  // namespace korvanta

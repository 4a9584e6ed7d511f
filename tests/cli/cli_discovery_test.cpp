// What a run without named targets writes on a machine with only some
// simulators, and what `folders` says about the same machine.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "io/utf8_path.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

namespace fs = std::filesystem;

// Every file and folder below `root`, "/"-separated, in name order.
std::vector<std::string> Below(const fs::path& root) {
  std::vector<std::string> entries;
  for (const auto& entry : fs::recursive_directory_iterator(root))
    entries.push_back(entry.path().lexically_relative(root).generic_string());
  std::sort(entries.begin(), entries.end());
  return entries;
}

// A home folder of its own for korvanta-cli (on Linux the home folder holds
// the Wine prefix, the documents and X-Plane's lists), restored afterwards.
class Home {
 public:
  Home() {
    for (const char* name : {"HOME", "WINEPREFIX", "XDG_CONFIG_HOME"}) {
      const char* old = std::getenv(name);
      saved_.push_back({name, old ? old : ""});
    }
    fs::create_directories(home);
    test::SetEnvironment("HOME", home.string());
    test::SetEnvironment("WINEPREFIX", (home / ".wine").string());
    test::SetEnvironment("XDG_CONFIG_HOME", (home / ".config").string());
  }
  ~Home() {
    for (const auto& [name, value] : saved_)
      test::SetEnvironment(name, value);
  }
  Home(const Home&) = delete;
  Home& operator=(const Home&) = delete;

  test::CommandResult Cli(const std::string& args) const {
    return test::RunCli(args + " --app-dir '" + app.string() + "' '" +
                        (test::DataDir() / "example_route.txt").string() + "'");
  }

  test::TempDir root;
  fs::path home = root / "home";
  fs::path app = root / "app";

 private:
  std::vector<std::pair<std::string, std::string>> saved_;
};

TEST(FirstRun, WritesOnlyWhereASimulatorIs) {
  KORVANTA_LINUX_ONLY("the home folder decides what is found on Linux");
  const std::string every_target =
      "FS2004, Google Earth, iFly737, LVLD 767, PMDG 737/747, FSNavigator, CIVA, MadDog2008, "
      "TU154, X-Plane 11/12, GPX, MSFS 2020";
  const struct {
    const char* name;
    std::vector<std::string> folders;  // made below the home folder first
    std::string args;
    int status;
    std::string err;
    std::vector<std::string> below_root;  // afterwards, but for the program folder
  } cases[] = {
      {"bare home",
       {},
       "convert",
       0,
       "File wpNavApt.txt missing\nNot installed: " + every_target + "\n",
       {"home"}},
      {"documents and X-Plane 12",
       {"Documents", "X-Plane 12/Output/FMS plans"},
       "convert",
       0,
       "File wpNavApt.txt missing\nNot installed: FS2004, iFly737, LVLD 767, PMDG 737/747, "
       "FSNavigator, CIVA, MadDog2008, TU154\n",
       {"home", "home/.x-plane", "home/.x-plane/x-plane_install_12.txt", "home/Documents",
        "home/Documents/ALPHA_INTL-BETA FIELD.kml", "home/Documents/EAAA-EBBB.gpx",
        "home/Documents/EAAA-EBBB.pln", "home/X-Plane 12", "home/X-Plane 12/Output",
        "home/X-Plane 12/Output/FMS plans", "home/X-Plane 12/Output/FMS plans/EAAAEBBB.fms"}},
      {"named targets fail where their folder is missing",
       {},
       "convert --targets ifly,xplane11",
       1,
       "File wpNavApt.txt missing\niFly737: Cannot create <ifly>/EAAAEBBB.fltplan: No such file "
       "or directory\nX-Plane 11/12: The X-Plane folder is not set: give --xplane11-dir or "
       "--xplane-install-dir, or choose it under Folders\nNot written: iFly737, X-Plane 11/12 "
       "(see above)\n",
       {"home"}},
      {"a folder named by an option that does not exist",
       {"Documents"},
       "convert --gpx-dir <home>/GPX",
       1,
       "File wpNavApt.txt missing\nGPX: the folder <home>/GPX does not exist\nNot written: GPX "
       "(see above)\nNot installed: FS2004, iFly737, LVLD 767, PMDG 737/747, FSNavigator, CIVA, "
       "MadDog2008, TU154, X-Plane 11/12\n",
       {"home", "home/Documents", "home/Documents/ALPHA_INTL-BETA FIELD.kml",
        "home/Documents/EAAA-EBBB.pln"}},
  };
  for (const auto& c : cases) {
    Home h;
    fs::create_directories(h.app);
    for (const std::string& folder : c.folders)
      fs::create_directories(h.home / folder);
    if (fs::exists(h.home / "X-Plane 12"))
      test::WriteFile(h.home / ".x-plane/x-plane_install_12.txt",
                      (h.home / "X-Plane 12").string() + "\n");
    const auto placed = [&](std::string text) {
      const std::string ifly = ShownPath(
          h.home / ".wine/drive_c/Program Files/Microsoft Games/FS9/ifly/737NG/navdata/Fltplan");
      for (const auto& [mark, value] : {std::pair{std::string("<ifly>"), ifly},
                                        std::pair{std::string("<home>"), h.home.string()}}) {
        for (std::size_t at; (at = text.find(mark)) != std::string::npos;)
          text.replace(at, mark.size(), value);
      }
      return text;
    };
    const auto r = h.Cli(placed(c.args));
    EXPECT_EQ(r.status, c.status) << c.name;
    EXPECT_EQ(r.err, placed(c.err)) << c.name;
    std::vector<std::string> below = Below(h.root.path());
    std::erase_if(below, [](const std::string& entry) { return entry.starts_with("app"); });
    EXPECT_EQ(below, c.below_root) << c.name;
  }
}

// `folders` names each folder a run uses, where it came from and whether it
// exists: options, a settings key, folders below them, and the defaults.
TEST(FoldersCommand, EachFolderWithItsOriginAndWhetherItExists) {
  KORVANTA_LINUX_ONLY("the home folder decides what is found on Linux");
  Home h;
  for (const char* folder : {"fs9/ifly/737NG/navdata/Fltplan", "docs", "XP/Output/FMS plans"})
    fs::create_directories(h.root / folder);
  test::WriteFile(h.app / "korvanta.ini",
                  "[Main]\r\nPMDGFolder=" + (h.root / "P").string() + "\r\n");
  const auto r =
      test::RunCli("folders --app-dir '" + h.app.string() + "' --fs9-dir '" +
                   (h.root / "fs9").string() + "' --documents-dir '" + (h.root / "docs").string() +
                   "' --xplane-install-dir '" + (h.root / "XP").string() + "'");
  std::string expected = test::CrLf({
      "FS2004 folder: <root>/fs9 (option, exists)",
      "FSX folder: <root>/home/.wine/drive_c/Program Files/Microsoft Games/FS9 (default, missing)",
      "Documents folder: <root>/docs (option, exists)",
      "X-Plane installation: <root>/XP (option, exists)",
      "FS2004: <root>/docs/Flight Simulator Files (documents folder, missing)",
      "Google Earth: <root>/docs (documents folder, exists)",
      "iFly737: <root>/fs9/ifly/737NG/navdata/Fltplan (simulator folder, exists)",
      "LVLD 767: <root>/fs9/Level-D Simulations/navdata/Flightplans (simulator folder, missing)",
      "X-Plane: <root>/XP/Output/FMS plans (X-Plane installation, exists)",
      "PMDG 737/747: <root>/P (settings key, missing)",
      "FSNavigator: <root>/fs9/Modules/FSNavigator/plan (simulator folder, missing)",
      "CIVA: <root>/fs9/Civa/ADEU (simulator folder, missing)",
      "MadDog2008: <root>/fs9/MADDOG2008/Routes (simulator folder, missing)",
      "TU154: <root>/fs9/PTT_KLN90B (simulator folder, missing)",
      "X-Plane 11/12: <root>/XP/Output/FMS plans (X-Plane installation, exists)",
      "GPX: <root>/docs (documents folder, exists)",
      "MSFS 2020: <root>/docs (documents folder, exists)",
      "FSX: <root>/docs/Flight Simulator X Files (documents folder, missing)",
      "FMC data folder: <root>/fs9/Fmcwp/NAVDATA (simulator folder, missing)",
      "Airport list: <root>/fs9/Fmcwp/NAVDATA/wpNavApt.txt (missing)",
      "MSFS 2020 installation: not found",
      "MSFS 2024 installation: not found",
  });
  std::erase(expected, '\r');
  for (std::size_t at; (at = expected.find("<root>")) != std::string::npos;)
    expected.replace(at, 6, h.root.path().string());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, expected);
}

}  // namespace
}  // namespace korvanta

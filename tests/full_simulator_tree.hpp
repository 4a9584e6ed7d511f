#pragma once

#include <filesystem>

#include "io/utf8_path.hpp"
#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"
#include "test_support.hpp"

namespace korvanta::test {

// Below `tree`: the program folder ("app"), the documents folder ("docs")
// with both simulators' plan folders, an X-Plane folder named in the
// settings, and both simulator folders ("fs9", "fsx") with every add-on's
// plan folder and the Tu-154's navigation data: a tree in which every
// target of every selection is written. Made again over itself, it keeps
// the files written there.
inline FolderSet MakeFullSimulatorTree(const std::filesystem::path& tree) {
  namespace fs = std::filesystem;
  for (const char* sub :
       {"app", "docs/Flight Simulator Files", "docs/Flight Simulator X Files", "xplane"}) {
    fs::create_directories(tree / sub);
  }
  for (const char* simulator : {"fs9", "fsx"}) {
    for (const char* sub : {"isg/FlightPlans", "ifly/737NG/navdata/Fltplan",
                            "Level-D Simulations/navdata/Flightplans", "Pmdg/Flightplans",
                            "Modules/FSNavigator/plan", "Civa", "MADDOG2008/Routes", "PTT_KLN90B"})
      fs::create_directories(tree / simulator / sub);
  }
  for (const auto& entry : fs::directory_iterator(DataDir() / "kln90b"))
    fs::copy_file(entry.path(), tree / "fs9/PTT_KLN90B" / entry.path().filename(),
                  fs::copy_options::overwrite_existing);
  WriteFile(tree / "app/korvanta.ini",
            "[Main]\r\nX-PlaneFolder=" + PathToUtf8(tree / "xplane") + "\r\n");

  FixedFolderSource source;
  source.documents = tree / "docs";
  source.fs9 = tree / "fs9";
  source.fsx = tree / "fsx";
  return BuildFolderSet(tree / "app", source);
}

}  // namespace korvanta::test

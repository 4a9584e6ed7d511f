#pragma once

#include <filesystem>
#include <initializer_list>
#include <string>

#include "io/utf8_path.hpp"
#include "run/targets.hpp"
#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"
#include "test_support.hpp"

namespace korvanta::test {

// A program folder ("app"), a documents folder ("docs") and the two
// simulator folders ("fs9", "fsx") in a temporary folder. Below "fs9" it
// holds the folders that the given targets' rows write into when no
// settings key names one, as the add-ons' installers make them; for a row
// whose run makes the last folder itself, only the folder above it.
class SimulatorTree {
 public:
  explicit SimulatorTree(std::initializer_list<Target> targets = {}) {
    std::filesystem::create_directories(app);
    for (const Target target : targets) {
      const std::filesystem::path folder = Below(fs9, target);
      std::filesystem::create_directories(
          DescriptorOf(target).folder.create_one_level ? folder.parent_path() : folder);
    }
  }

  // The folder of `target`'s files below `simulator`, from its row.
  static std::filesystem::path Below(const std::filesystem::path& simulator, Target target) {
    return simulator / PathFromUtf8(std::string(DescriptorOf(target).folder.below_simulator));
  }
  std::filesystem::path Below(Target target) const { return Below(fs9, target); }

  // The folder set a run in this tree starts from.
  FolderSet Folders() const {
    FixedFolderSource source;
    source.documents = docs;
    source.fs9 = fs9;
    source.fsx = fsx;
    return BuildFolderSet(app, source);
  }

  // korvanta-cli's folder options for this tree.
  std::string CliFolders() const {
    return "--app-dir '" + app.string() + "' --fs9-dir '" + fs9.string() + "' --fsx-dir '" +
           fsx.string() + "' --documents-dir '" + docs.string() + "'";
  }

  TempDir dir;
  std::filesystem::path app = dir / "app";
  std::filesystem::path docs = dir / "docs";
  std::filesystem::path fs9 = dir / "fs9";
  std::filesystem::path fsx = dir / "fsx";
};

}  // namespace korvanta::test

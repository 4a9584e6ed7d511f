#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace korvanta {

// Where the folder set comes from: the user's documents folder and the two
// simulators' installation folders, each optional (a missing one takes its
// default).
class FolderSource {
 public:
  virtual ~FolderSource() = default;
  // The user's documents folder (the shell folder "Personal").
  virtual std::optional<std::filesystem::path> Documents() const = 0;
  // FS2004's "EXE Path" and FSX's "SetupPath".
  virtual std::optional<std::filesystem::path> Fs9Path() const = 0;
  virtual std::optional<std::filesystem::path> FsxPath() const = 0;
  // Both simulators' folder when the installation is not recorded
  // ("c:\Program Files\Microsoft Games\FS9", in this source's terms).
  virtual std::filesystem::path DefaultSimulatorPath() const = 0;
  // Whether the user named the simulator's folder (an option), rather than
  // the platform recording or guessing it: a named folder that does not exist
  // is a mistake to report, one only looked for means "not installed".
  virtual bool Fs9Named() const { return false; }
  virtual bool FsxNamed() const { return false; }
};

// Values given by the caller (tests, the command line's overrides).
class FixedFolderSource : public FolderSource {
 public:
  std::optional<std::filesystem::path> documents;
  std::optional<std::filesystem::path> fs9;
  std::optional<std::filesystem::path> fsx;
  std::filesystem::path default_simulator = "c:/Program Files/Microsoft Games/FS9";

  std::optional<std::filesystem::path> Documents() const override { return documents; }
  std::optional<std::filesystem::path> Fs9Path() const override { return fs9; }
  std::optional<std::filesystem::path> FsxPath() const override { return fsx; }
  std::filesystem::path DefaultSimulatorPath() const override { return default_simulator; }
  bool Fs9Named() const override { return fs9.has_value(); }
  bool FsxNamed() const override { return fsx.has_value(); }
};

// The source of this platform: the registry on Windows, the Wine prefix on
// Linux and other POSIX systems.
std::unique_ptr<FolderSource> PlatformFolderSource();

}  // namespace korvanta

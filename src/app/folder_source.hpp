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
  virtual std::optional<std::filesystem::path> Personal() const = 0;
  // FS2004's "EXE Path" and FSX's "SetupPath".
  virtual std::optional<std::filesystem::path> Fs9Path() const = 0;
  virtual std::optional<std::filesystem::path> FsxPath() const = 0;
  // Both simulators' folder when the installation is not recorded
  // ("c:\Program Files\Microsoft Games\FS9", in this source's terms).
  virtual std::filesystem::path DefaultSimulatorPath() const = 0;
};

// Values given by the caller (tests, the command line's overrides).
class FixedFolderSource : public FolderSource {
 public:
  std::optional<std::filesystem::path> personal;
  std::optional<std::filesystem::path> fs9;
  std::optional<std::filesystem::path> fsx;
  std::filesystem::path default_simulator = "c:/Program Files/Microsoft Games/FS9";

  std::optional<std::filesystem::path> Personal() const override { return personal; }
  std::optional<std::filesystem::path> Fs9Path() const override { return fs9; }
  std::optional<std::filesystem::path> FsxPath() const override { return fsx; }
  std::filesystem::path DefaultSimulatorPath() const override { return default_simulator; }
};

// The simulators run under Wine on Linux: reads the prefix's system.reg and
// user.reg for the same keys and values as on Windows, maps drive letters
// through the prefix's dosdevices, and maps the Windows default paths into
// the prefix. The documents folder falls back to the XDG documents folder,
// then ~/Documents.
class WinePrefixFolderSource : public FolderSource {
 public:
  // `prefix`: the Wine prefix; `home`: the user's home folder (for the
  // documents fallbacks).
  WinePrefixFolderSource(std::filesystem::path prefix, std::filesystem::path home);

  // $WINEPREFIX, else ~/.wine; home from $HOME.
  static std::unique_ptr<WinePrefixFolderSource> FromEnvironment();

  std::optional<std::filesystem::path> Personal() const override;
  std::optional<std::filesystem::path> Fs9Path() const override;
  std::optional<std::filesystem::path> FsxPath() const override;
  std::filesystem::path DefaultSimulatorPath() const override;

  // A Windows path of the prefix ("C:\Program Files\x") as a path on this
  // machine, through dosdevices; nullopt when the drive is not mapped.
  std::optional<std::filesystem::path> MapWindowsPath(std::string_view windows_path) const;

 private:
  // The simulators' keys are in system.reg, which a used prefix makes large:
  // it is read once, at the first look-up.
  const std::string& SystemReg() const;

  std::filesystem::path prefix_;
  std::filesystem::path home_;
  mutable std::optional<std::string> system_reg_;
};

// The source of this platform (the Wine prefix on Linux and other POSIX
// systems; the registry source is the seam for Windows).
std::unique_ptr<FolderSource> PlatformFolderSource();

}  // namespace korvanta

#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "settings/folder_source.hpp"

namespace korvanta {

// The simulators run under Wine on Linux: reads the prefix's system.reg and
// user.reg for the same keys and values as on Windows (FSX's Steam Edition
// too), maps drive letters
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

  std::optional<std::filesystem::path> Documents() const override;
  std::optional<std::filesystem::path> Fs9Path() const override;
  std::optional<std::filesystem::path> FsxPath() const override;
  std::filesystem::path DefaultSimulatorPath() const override;
  FolderOrigin FoundOrigin() const override;
  // The Wine prefix's when its registry names the folder, else the default.
  FolderOrigin DocumentsOrigin() const override;
  // ~/.x-plane: X-Plane runs natively on Linux.
  std::optional<std::filesystem::path> XPlaneListFolder() const override;
  // The prefix's "Local AppData" and "AppData" shell folders.
  std::optional<std::filesystem::path> LocalAppData() const override;
  std::optional<std::filesystem::path> RoamingAppData() const override;

  // A Windows path of the prefix ("C:\Program Files\x") as a path on this
  // machine, through dosdevices; nullopt when the drive is not mapped.
  std::optional<std::filesystem::path> MapWindowsPath(std::string_view windows_path) const;

 private:
  // The simulators' keys are in system.reg, which a used prefix makes large:
  // it is read once, at the first look-up.
  const std::string& SystemReg() const;
  const std::string& UserReg() const;
  // The documents folder that the prefix's registry names, mapped.
  std::optional<std::filesystem::path> RecordedDocuments() const;
  // A value of the user's "Shell Folders" key, as Windows text.
  std::optional<std::string> ShellFolder(std::string_view name) const;

  std::filesystem::path prefix_;
  std::filesystem::path home_;
  mutable std::optional<std::string> system_reg_;
  mutable std::optional<std::string> user_reg_;
};

}  // namespace korvanta

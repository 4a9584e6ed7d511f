#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "settings/folder_source.hpp"

namespace korvanta {

// The folders a command line names over the platform's and the settings
// file's: the program folder (--app-dir), and every folder setting by its
// key (--fs9-dir names "FS9Folder", --ifly-dir "IFGFolder", ...).
struct FolderOverrides {
  std::optional<std::filesystem::path> app_dir;
  std::map<std::string, std::filesystem::path, std::less<>> folders;
};

// The platform's folders with the named ones put over them.
class OverriddenFolderSource final : public FolderSource {
 public:
  OverriddenFolderSource(std::unique_ptr<FolderSource> base, const FolderOverrides& overrides);

  std::optional<std::filesystem::path> Documents() const override;
  std::optional<std::filesystem::path> Fs9Path() const override;
  std::optional<std::filesystem::path> FsxPath() const override;
  std::filesystem::path DefaultSimulatorPath() const override;
  bool Fs9Named() const override;
  bool FsxNamed() const override;
  bool DocumentsNamed() const override;
  FolderOrigin FoundOrigin() const override;
  FolderOrigin DocumentsOrigin() const override;
  std::optional<std::filesystem::path> XPlaneListFolder() const override;
  std::optional<std::filesystem::path> LocalAppData() const override;
  std::optional<std::filesystem::path> RoamingAppData() const override;
  std::map<std::string, std::filesystem::path, std::less<>> OptionFolders() const override;

 private:
  std::unique_ptr<FolderSource> base_;
  FolderOverrides overrides_;
};

// The program folder: the named one, else the default for `executable`
// (DefaultAppDir).
std::filesystem::path ProgramFolder(const FolderOverrides& overrides,
                                    const std::filesystem::path& executable);

// The windows' program folder (ProgramFolder), created when missing and made
// the current folder, as when the program is started from its icon on
// Windows.
std::filesystem::path EnterProgramFolder(const FolderOverrides& overrides,
                                         const std::filesystem::path& executable);

// A folder or file named on the command line, made absolute while the
// current folder is still the one the user started the program in.
std::filesystem::path NamedPath(const std::filesystem::path& named);

}  // namespace korvanta

#pragma once

#include <filesystem>
#include <memory>
#include <optional>

#include "settings/folder_source.hpp"

namespace korvanta {

// The folders a command line names over the platform's (the window's and
// korvanta-cli's --app-dir, --fs9-dir, --fsx-dir, --documents-dir).
struct FolderOverrides {
  std::optional<std::filesystem::path> app_dir;
  std::optional<std::filesystem::path> fs9_dir;
  std::optional<std::filesystem::path> fsx_dir;
  std::optional<std::filesystem::path> documents_dir;
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

 private:
  std::unique_ptr<FolderSource> base_;
  FolderOverrides overrides_;
};

// The program folder: the named one, else the default for `executable`
// (DefaultAppDir).
std::filesystem::path ProgramFolder(const FolderOverrides& overrides,
                                    const std::filesystem::path& executable);

// The windows' program folder (ProgramFolder), created when missing and made
// the current folder: relative folders (the X-Plane plans' default ".") mean
// the program folder, as when the program is started from its icon on
// Windows.
std::filesystem::path EnterProgramFolder(const FolderOverrides& overrides,
                                         const std::filesystem::path& executable);

// A folder or file named on the command line, made absolute while the
// current folder is still the one the user started the program in.
std::filesystem::path NamedPath(const std::filesystem::path& named);

}  // namespace korvanta

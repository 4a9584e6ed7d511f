#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "settings/folder_source.hpp"

namespace korvanta {

// The folder set's source on Windows: the simulators' installation folders
// from the local machine's registry (FSX's Steam Edition from the user's,
// else the machine's), read through the 32-bit view where the
// simulators' 32-bit installers wrote them, then through the 64-bit view; the
// user's documents folder from the shell's known folder, or, only when the
// shell cannot say, from the "Shell Folders" value that Windows keeps for old
// programs.
class RegistryFolderSource : public FolderSource {
 public:
  // `software_key`: the key of the local machine that holds
  // "Microsoft\Microsoft Games\Flight Simulator\..." (tests give a key of
  // their own).
  explicit RegistryFolderSource(std::wstring software_key = L"SOFTWARE");

  std::optional<std::filesystem::path> Documents() const override;
  std::optional<std::filesystem::path> Fs9Path() const override;
  std::optional<std::filesystem::path> FsxPath() const override;
  // "c:\Program Files\Microsoft Games\FS9", where the simulators install
  // when asked nothing.
  std::filesystem::path DefaultSimulatorPath() const override;
  // %LOCALAPPDATA%, where X-Plane's installer files its lists.
  std::optional<std::filesystem::path> XPlaneListFolder() const override;
  std::optional<std::filesystem::path> LocalAppData() const override;
  std::optional<std::filesystem::path> RoamingAppData() const override;

 private:
  std::optional<std::filesystem::path> SimulatorFolder(std::wstring_view version,
                                                       const wchar_t* value_name) const;

  std::wstring software_key_;
};

}  // namespace korvanta

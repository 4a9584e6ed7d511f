#include "settings/folder_overrides.hpp"

#include <system_error>

#include "settings/folder_set.hpp"

namespace korvanta {

OverriddenFolderSource::OverriddenFolderSource(std::unique_ptr<FolderSource> base,
                                               const FolderOverrides& overrides)
    : base_(std::move(base)), overrides_(overrides) {}

std::optional<std::filesystem::path> OverriddenFolderSource::Documents() const {
  return base_->Documents();
}

std::optional<std::filesystem::path> OverriddenFolderSource::Fs9Path() const {
  return base_->Fs9Path();
}

std::optional<std::filesystem::path> OverriddenFolderSource::FsxPath() const {
  return base_->FsxPath();
}

std::filesystem::path OverriddenFolderSource::DefaultSimulatorPath() const {
  return base_->DefaultSimulatorPath();
}

bool OverriddenFolderSource::Fs9Named() const {
  return base_->Fs9Named();
}

bool OverriddenFolderSource::FsxNamed() const {
  return base_->FsxNamed();
}

bool OverriddenFolderSource::DocumentsNamed() const {
  return base_->DocumentsNamed();
}

FolderOrigin OverriddenFolderSource::FoundOrigin() const {
  return base_->FoundOrigin();
}

FolderOrigin OverriddenFolderSource::DocumentsOrigin() const {
  return base_->DocumentsOrigin();
}

std::optional<std::filesystem::path> OverriddenFolderSource::XPlaneListFolder() const {
  return base_->XPlaneListFolder();
}

std::optional<std::filesystem::path> OverriddenFolderSource::LocalAppData() const {
  return base_->LocalAppData();
}

std::optional<std::filesystem::path> OverriddenFolderSource::RoamingAppData() const {
  return base_->RoamingAppData();
}

std::map<std::string, std::filesystem::path, std::less<>> OverriddenFolderSource::OptionFolders()
    const {
  std::map<std::string, std::filesystem::path, std::less<>> folders = base_->OptionFolders();
  for (const auto& [key, folder] : overrides_.folders)
    folders.insert_or_assign(key, folder);
  return folders;
}

std::filesystem::path ProgramFolder(const FolderOverrides& overrides,
                                    const std::filesystem::path& executable) {
  return overrides.app_dir ? *overrides.app_dir : DefaultAppDir(executable);
}

std::filesystem::path EnterProgramFolder(const FolderOverrides& overrides,
                                         const std::filesystem::path& executable) {
  const std::filesystem::path folder = ProgramFolder(overrides, executable);
  std::error_code ignored;
  std::filesystem::create_directories(folder, ignored);
  std::filesystem::current_path(folder, ignored);
  return folder;
}

std::filesystem::path NamedPath(const std::filesystem::path& named) {
  std::error_code ignored;
  const std::filesystem::path absolute = std::filesystem::absolute(named, ignored);
  return absolute.empty() ? named : absolute;
}

}  // namespace korvanta

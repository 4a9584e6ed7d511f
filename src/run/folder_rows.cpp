#include "run/folder_rows.hpp"

#include <fmt/format.h>

#include <array>
#include <system_error>

#include "files/file_output.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

constexpr std::array kFolderSettings = {
    FolderSettingInfo{kFs9FolderKey, "--fs9-dir", "FS2004 folder"},
    FolderSettingInfo{kFsxFolderKey, "--fsx-dir", "FSX folder"},
    FolderSettingInfo{kDocumentsFolderKey, "--documents-dir", "Documents folder"},
    FolderSettingInfo{kXPlaneInstallFolderKey, "--xplane-install-dir", "X-Plane installation"},
    FolderSettingInfo{kPlanFolderKey, "--fs2004-plans-dir", "FS2004 plans"},
    FolderSettingInfo{"IFGFolder", "--ifly-dir", "iFly737 plans"},
    FolderSettingInfo{"LVLDFolder", "--leveld-dir", "LVLD 767 routes"},
    FolderSettingInfo{"X-PlaneFolder", "--xplane-dir", "X-Plane plans"},
    FolderSettingInfo{"PMDGFolder", "--pmdg-dir", "PMDG routes"},
    FolderSettingInfo{"FSNAVFolder", "--fsnav-dir", "FSNavigator plans"},
    FolderSettingInfo{"CIVAFolder", "--civa-dir", "CIVA cards"},
    FolderSettingInfo{"XPlane11Folder", "--xplane11-dir", "X-Plane 11/12 plans"},
    FolderSettingInfo{"GPXFolder", "--gpx-dir", "GPX routes"},
    FolderSettingInfo{"MSFSFolder", "--msfs-dir", "MSFS plans"},
    FolderSettingInfo{kFmcDataFolderKey, "--fmc-data-dir", "FMC data folder"},
};

bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// The documents folder as a target's folder.
FolderInUse Documents(const FolderSet& folders) {
  if (folders.documents_dir.empty())
    return {};
  return {folders.documents_dir, FolderOrigin::kDocumentsFolder,
          NamedOrigin(folders.documents_origin)};
}

FolderRow RowOf(std::string_view key, std::string caption, const FolderInUse& in_use) {
  const FolderSettingInfo* setting = FolderSettingByKey(key);
  return {key, setting ? setting->option : std::string_view(), std::move(caption), in_use,
          in_use.Set() && IsFolder(in_use.folder)};
}

// A row of a folder setting under its own caption.
FolderRow RowOf(std::string_view key, const FolderInUse& in_use) {
  return RowOf(key, std::string(FolderSettingByKey(key)->caption), in_use);
}

}  // namespace

std::span<const FolderSettingInfo> FolderSettings() {
  return kFolderSettings;
}

const FolderSettingInfo* FolderSettingByKey(std::string_view key) {
  for (const FolderSettingInfo& setting : kFolderSettings) {
    if (setting.key == key)
      return &setting;
  }
  return nullptr;
}

FolderInUse SimulatorFolderOf(const FolderSet& folders, Simulator simulator) {
  if (simulator == Simulator::kFsx)
    return {folders.fsx_dir, folders.fsx_origin, folders.fsx_dir_named};
  return {folders.fs9_dir, folders.fs9_origin, folders.fs9_dir_named};
}

FolderInUse RowFolder(const TargetDescriptor& row, const FolderSet& folders,
                      const IniProfile& settings, Simulator simulator) {
  const FolderRule& rule = row.folder;
  for (const std::string_view key : {rule.key, rule.fallback_key}) {
    if (key.empty())
      continue;
    if (std::optional<FolderInUse> named = NamedFolder(folders, settings, key)) {
      if (rule.drop_trailing_separator)
        named->folder = WithoutTrailingSeparator(named->folder);
      return *named;
    }
  }
  if (rule.else_xplane_plans) {
    if (!folders.xplane_install.Set())
      return {};
    return {folders.xplane_install.folder / "Output" / "FMS plans",
            FolderOrigin::kXPlaneInstallation};
  }
  if (rule.else_documents)
    return Documents(folders);
  if (!rule.below_simulator.empty()) {
    const FolderInUse simulator_folder = SimulatorFolderOf(folders, simulator);
    return {simulator_folder.folder / PathFromUtf8(rule.below_simulator).make_preferred(),
            FolderOrigin::kSimulatorFolder};
  }
  switch (rule.files_in) {
    case FileFolder::kPlanFolder:
      if (row.target == Target::kFsx)
        return folders.documents_dir.empty()
                   ? FolderInUse{}
                   : FolderInUse{folders.fsx_plan_folder, FolderOrigin::kDocumentsFolder};
      if (!folders.plan_folder_named && folders.documents_dir.empty())
        return {};
      return {folders.plan_folder, folders.plan_folder_origin, folders.plan_folder_named};
    case FileFolder::kDocuments:
      return Documents(folders);
    default:
      return {};
  }
}

std::string FolderNotSetMessage(const FolderRule& rule) {
  std::string options;
  const auto add = [&](std::string_view key) {
    if (const FolderSettingInfo* setting = FolderSettingByKey(key))
      options += (options.empty() ? "" : " or ") + std::string(setting->option);
  };
  add(rule.key);
  if (rule.else_xplane_plans)
    add(kXPlaneInstallFolderKey);
  if (rule.else_documents || rule.files_in == FileFolder::kDocuments ||
      rule.files_in == FileFolder::kPlanFolder)
    add(kDocumentsFolderKey);
  const std::string_view name = rule.name.empty() ? std::string_view("documents") : rule.name;
  return fmt::format("The {} folder is not set: give {}, or choose it under Folders", name,
                     options);
}

std::vector<FolderRow> FolderRows(const FolderSet& folders, Simulator simulator) {
  const IniProfile settings(folders.SettingsFile());
  std::vector<FolderRow> rows;
  rows.push_back(RowOf(kFs9FolderKey, SimulatorFolderOf(folders, Simulator::kFs9)));
  rows.push_back(RowOf(kFsxFolderKey, SimulatorFolderOf(folders, Simulator::kFsx)));
  rows.push_back(RowOf(kDocumentsFolderKey,
                       folders.documents_dir.empty()
                           ? FolderInUse{}
                           : FolderInUse{folders.documents_dir, folders.documents_origin}));
  rows.push_back(RowOf(kXPlaneInstallFolderKey, folders.xplane_install));
  for (const TargetDescriptor& row : AllTargets()) {
    rows.push_back(
        RowOf(row.folder.key, row.PlainCaption(), RowFolder(row, folders, settings, simulator)));
  }
  rows.push_back(RowOf(kFmcDataFolderKey, folders.fmc_data));
  return rows;
}

}  // namespace korvanta

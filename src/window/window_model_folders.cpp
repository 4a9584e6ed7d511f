// The window model's Folders dialog: its lines, and its OK, after which the
// next run uses the folders the dialog shows.

#include <fmt/format.h>

#include "errors/run_error.hpp"
#include "window/busy_flag.hpp"
#include "window/window_model.hpp"

namespace korvanta {

// A folder below an FS2004 folder that is not set is no folder: never the
// current one.
NavigationSource NavigationOf(const FolderSet& folders) {
  const std::filesystem::path& fmc = folders.fmc_data.folder;
  return NavigationSource(fmc.is_absolute() ? fmc : std::filesystem::path(),
                          folders.xplane_install.folder);
}

std::optional<FoldersDialogModel> WindowModel::FoldersDialog() const {
  if (Busy())
    return std::nullopt;
  return FoldersDialogModel(folders_, applied_);
}

bool WindowModel::FoldersConfirmed(const FoldersDialogModel& dialog) {
  if (Busy())
    return false;
  try {
    dialog.Save(folders_.SettingsFile());
  } catch (const RunError& error) {
    view_.ShowMessage(error.what());
    return false;
  }
  const std::filesystem::path airport_list = folders_.AirportListFile();
  const std::filesystem::path xplane_folder = folders_.xplane_install.folder;
  folders_ = BuildFolderSet(folders_.app_dir, source_);
  // The data of folders the user turned away from is gone; a route string
  // pasted next reads against the folders the dialog shows.
  if (folders_.AirportListFile() != airport_list || folders_.xplane_install.folder != xplane_folder)
    navigation_ = NavigationOf(folders_);
  if (folders_.AirportListFile() != airport_list) {
    ReloadAirports();
    UpdateConversionButton();
    CloseIfPending();
    ConvertPendingDrop();
  }
  return true;
}

// The list of the folder now chosen, with its progress in the panel; the
// list of the folder before is gone either way, so that no plan gets the
// elevations of a list the user turned away from.
void WindowModel::ReloadAirports() {
  airports_ = AirportDatabase{};
  airports_.navigation = &navigation_;
  const BusyFlag loading(loading_);
  const BusyFlag reloading(reloading_airports_);
  UpdateConversionButton();
  SetVisible(Control::kProgressPanel, true);
  LoadAirportList();
  SetVisible(Control::kProgressPanel, false);
}

}  // namespace korvanta

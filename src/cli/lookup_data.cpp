#include "cli/lookup_data.hpp"

namespace korvanta::cli {

LookupData::LookupData(const FolderSet& folders,
                       const std::optional<std::filesystem::path>& airport_list)
    : navigation_(folders.fmc_data.folder, folders.xplane_install.folder),
      airport_list_file_(airport_list.value_or(folders.AirportListFile())) {
  airport_list_load_ = LoadAirportDatabase(airport_list_file_, airports_);
  airports_.navigation = &navigation_;
}

}  // namespace korvanta::cli

#pragma once

#include <filesystem>
#include <optional>

#include "navdata/navigation_source.hpp"
#include "route/airports.hpp"
#include "settings/folder_set.hpp"

namespace korvanta::cli {

// What a command looks a route's names up in: the airport list and the rest
// of the user's navigation data (the FMC data folder's, else X-Plane's),
// loaded only when a reader asks for it.
class LookupData {
 public:
  // The airport list `airport_list` when given, else the one in the folder
  // set's FMC data folder; the navigation data from the folder set's FMC
  // data folder and X-Plane installation.
  explicit LookupData(const FolderSet& folders,
                      const std::optional<std::filesystem::path>& airport_list = std::nullopt);
  LookupData(const LookupData&) = delete;
  LookupData& operator=(const LookupData&) = delete;

  // The airports, whose `navigation` is this object's navigation source.
  const AirportDatabase& Airports() const { return airports_; }
  const NavigationSource& Navigation() const { return navigation_; }
  // How loading the airport list went; its message names what is wrong.
  const AirportLoadResult& AirportListLoad() const { return airport_list_load_; }
  const std::filesystem::path& AirportListFile() const { return airport_list_file_; }

 private:
  NavigationSource navigation_;
  std::filesystem::path airport_list_file_;
  AirportDatabase airports_;
  AirportLoadResult airport_list_load_;
};

}  // namespace korvanta::cli

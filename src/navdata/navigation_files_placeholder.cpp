// Stand-ins for the navigation files' loaders, so that the program links
// before they are built: every load fails, naming the folder it was given.

#include <fmt/format.h>

#include "io/utf8_path.hpp"
#include "navdata/navigation_files.hpp"

namespace korvanta {

NavigationLoadResult LoadFmcNavigation(const std::filesystem::path& folder) {
  return NavigationLoadError{
      fmt::format("{}: reading the FMC data folder is not built in", ShownPath(folder))};
}

NavigationLoadResult LoadXPlaneNavigation(const std::filesystem::path& xplane_folder) {
  return NavigationLoadError{
      fmt::format("{}: reading X-Plane's data is not built in", ShownPath(xplane_folder))};
}

std::optional<std::filesystem::path> XPlaneAirportFile(const std::filesystem::path&) {
  return std::nullopt;
}

std::vector<XPlaneAirport> ScanXPlaneAirports(const std::filesystem::path&,
                                              std::span<const std::string>) {
  return {};
}

}  // namespace korvanta

#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "navdata/navigation_data.hpp"
#include "route/position.hpp"

namespace korvanta {

// Why the user's navigation data gives no index: the message shown (UTF-8),
// naming the file (and line) at fault.
struct NavigationLoadError {
  std::string message;
};

using NavigationLoadResult = std::variant<NavigationData, NavigationLoadError>;

// The FMC data folder's fixes, navaids and airways ("wpNavFIX.txt",
// "wpNavAID.txt", "wpNavRTE.txt", file names matched without regard to
// case), indexed and finished. The error names what is missing or unreadable.
NavigationLoadResult LoadFmcNavigation(const std::filesystem::path& folder);

// X-Plane 11/12's fixes, navaids and airways ("earth_fix.dat",
// "earth_nav.dat", "earth_awy.dat"), each from `Custom Data/` of the
// installation folder when it holds the file, else from
// `Resources/default data/`; indexed and finished.
NavigationLoadResult LoadXPlaneNavigation(const std::filesystem::path& xplane_folder);

// An airport as X-Plane's airport file places it.
struct XPlaneAirport {
  std::string icao;
  std::string name;  // UTF-8, as the file gives it
  Position position{};
  std::int32_t elevation = 0;  // feet
};

// X-Plane's airport file ("apt.dat") below the installation folder: X-Plane
// 12's global airports, else X-Plane 11's, else the default scenery's; none
// when there is none.
std::optional<std::filesystem::path> XPlaneAirportFile(const std::filesystem::path& xplane_folder);

// The airports `icaos` that the airport file places (its datum rows, else
// the middle of its first runway), in the order of `icaos`, those it does
// not hold left out. The file is hundreds of megabytes: it is scanned once,
// for these airports only.
std::vector<XPlaneAirport> ScanXPlaneAirports(const std::filesystem::path& apt_dat,
                                              std::span<const std::string> icaos);

}  // namespace korvanta

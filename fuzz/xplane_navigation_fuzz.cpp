// X-Plane's fix, navaid and airway files and its airport file over
// arbitrary text.
//
// Input: one byte choosing the reader, then the file's text. A file either
// reads, with a version of X-Plane 11 or later, or its fault names the file;
// every point taken lies on the earth and is of the kind its file holds;
// every airway segment names its airways; the airport scan gives only the
// airports asked for, each once, on the earth.

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "fuzz_support.hpp"
#include "navdata/xplane_airports.hpp"
#include "navdata/xplane_navigation_files.hpp"
#include "route/position.hpp"

namespace {

using korvanta::fuzz::Require;

constexpr std::string_view kSource = "Custom Data/earth_nav.dat";

bool OnEarth(korvanta::Position position) {
  return position.latitude >= -korvanta::kLatitudeLimit &&
         position.latitude <= korvanta::kLatitudeLimit &&
         position.longitude >= -korvanta::kLongitudeLimit &&
         position.longitude <= korvanta::kLongitudeLimit;
}

bool IsField(std::string_view text) {
  if (text.empty())
    return false;
  for (const char c : text) {
    if (static_cast<unsigned char>(c) <= 0x20)
      return false;
  }
  return true;
}

void CheckResult(const korvanta::XPlaneReadResult& result) {
  if (const auto* error = std::get_if<korvanta::NavigationLoadError>(&result)) {
    Require(error->message.starts_with("Cannot read " + std::string(kSource)),
            "a fault that does not name the file");
  } else {
    Require(std::get<korvanta::XPlaneFileVersion>(result).version >= 1100,
            "a layout older than X-Plane 11's read");
  }
}

void CheckPoints(bool navaids, std::string_view text) {
  const auto take = [&](const korvanta::XPlaneListedPoint& point) {
    Require(IsField(point.id) && IsField(point.region), "an identifier or region that is no field");
    Require(OnEarth(point.position), "a point off the earth");
    Require(navaids ? point.kind != korvanta::WaypointKind::kIntersection
                    : point.kind == korvanta::WaypointKind::kIntersection && point.frequency == 0,
            "a point of a kind its file does not hold");
  };
  CheckResult(navaids ? korvanta::ReadXPlaneNavaids(text, kSource, take)
                      : korvanta::ReadXPlaneFixes(text, kSource, take));
}

void CheckAirways(std::string_view text) {
  CheckResult(
      korvanta::ReadXPlaneAirways(text, kSource, [](const korvanta::XPlaneAirwaySegment& segment) {
        Require(IsField(segment.from.id) && IsField(segment.to.id) && IsField(segment.airways),
                "a segment without its ends or airways");
        Require(segment.from.kind != korvanta::WaypointKind::kAirport &&
                    segment.to.kind != korvanta::WaypointKind::kAirport,
                "an airway end of a kind the file does not name");
      }));
}

void CheckAirports(std::string_view text) {
  const std::vector<std::string> asked = {"KSEA", "EGLL", "ABCD"};
  std::set<std::string> seen;
  for (const korvanta::XPlaneAirport& airport : korvanta::ScanXPlaneAirportText(text, asked)) {
    Require(airport.icao == "KSEA" || airport.icao == "EGLL" || airport.icao == "ABCD",
            "an airport that was not asked for");
    Require(seen.insert(airport.icao).second, "an airport given twice");
    Require(OnEarth(airport.position), "an airport off the earth");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const std::string_view text = korvanta::fuzz::AsText(data + 1, size - 1);
  switch (data[0] % 4) {
    case 0:
      CheckPoints(false, text);
      break;
    case 1:
      CheckPoints(true, text);
      break;
    case 2:
      CheckAirways(text);
      break;
    default:
      CheckAirports(text);
      break;
  }
  return 0;
}

#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "navdata/navigation_files.hpp"
#include "route/position.hpp"
#include "route/tables.hpp"

namespace korvanta {

// X-Plane 11/12's navigation files: the fixes ("earth_fix.dat"), the
// navaids ("earth_nav.dat") and the airways ("earth_awy.dat"). Each starts
// with "I" or "A", then a version line ("1101 Version - data cycle 2613,
// build ..."), then one row a line, fields separated by blanks, and ends with
// a "99" line. Layouts older than version 1100 carry no ICAO region and are
// refused.

// Where each of the three files is read: from `Custom Data/` of the
// installation folder when it holds that file, else from
// `Resources/default data/`; the choice is made for each file on its own.
struct XPlaneNavigationFiles {
  std::filesystem::path fixes;
  std::filesystem::path navaids;
  std::filesystem::path airways;
};
XPlaneNavigationFiles XPlaneNavigationFilesIn(const std::filesystem::path& xplane_folder);

// What a file's version line says.
struct XPlaneFileVersion {
  int version = 0;           // 1101, 1150, 1200, ...
  std::string cycle;         // the AIRAC cycle ("2613"); empty when the line names none
  std::string version_line;  // the line as it stands, without blanks at its ends
};

// A file's version, or why the file does not read (naming the file and line).
using XPlaneReadResult = std::variant<XPlaneFileVersion, NavigationLoadError>;

// A fix or navaid as a file lists it; the texts point into the file's text.
struct XPlaneListedPoint {
  std::string_view id;
  std::string_view region;
  WaypointKind kind = WaypointKind::kIntersection;
  Position position{};
  // VOR and DME in hundredths of a megahertz, NDB in tenths of a kilohertz.
  std::uint32_t frequency = 0;
  // In an airport's terminal area rather than en route ("ENRT").
  bool terminal = false;
};

// One end of an airway segment: a point of the fix or navaid file.
struct XPlanePointReference {
  std::string_view id;
  std::string_view region;
  WaypointKind kind = WaypointKind::kIntersection;
};

// One segment of the airway file; `airways` names every airway that flies it,
// joined by "-" ("J13-J14-J15").
struct XPlaneAirwaySegment {
  XPlanePointReference from;
  XPlanePointReference to;
  std::string_view airways;
};

using XPlanePointTaker = std::function<void(const XPlaneListedPoint&)>;
using XPlaneSegmentTaker = std::function<void(const XPlaneAirwaySegment&)>;

// The text readers: each hands every row it takes to `take` and gives the
// file's version, or the first fault. `source` names the file in messages.
//  - Fixes: latitude, longitude, identifier, "ENRT" or the terminal area's
//    airport, ICAO region, then fields not needed here.
//  - Navaids: row code, latitude, longitude, elevation, frequency, range, a
//    field of the row's kind, identifier, "ENRT" or airport, region, name.
//    NDBs (2), VORs (3) and DMEs (12, 13) are taken, every other row is
//    passed over. A DME is a VHF point as a VOR is, so it is taken as a VOR;
//    but the DME of a VOR or NDB of the same identifier and region is that
//    navaid's range finder, not a second point, and the DME of an ILS
//    ("... DME-ILS") is no point a route names: both are left out.
//  - Airways: identifier, region and type (11 fix, 2 NDB, 3 VOR) of each
//    end, direction, low/high, base, top, the airway names.
XPlaneReadResult ReadXPlaneFixes(std::string_view text, std::string_view source,
                                 const XPlanePointTaker& take);
XPlaneReadResult ReadXPlaneNavaids(std::string_view text, std::string_view source,
                                   const XPlanePointTaker& take);
XPlaneReadResult ReadXPlaneAirways(std::string_view text, std::string_view source,
                                   const XPlaneSegmentTaker& take);

// Decimal degrees as X-Plane writes them ("-122.309616667"), in hundredths
// of an arc-second, rounded half away from zero; none when the text is no such
// number or lies beyond `limit_degrees`.
std::optional<std::int32_t> XPlaneAngle(std::string_view text, int limit_degrees);

}  // namespace korvanta

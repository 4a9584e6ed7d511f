#pragma once

#include <optional>
#include <string>

#include "route/tables.hpp"

namespace korvanta {

// The FS2004-era targets and their add-ons hold six characters of an
// identifier. The route keeps identifiers whole; these targets write them
// cut, as they always have, and a point named from its position as the
// five-character form that their navigation databases give such points
// ("5020N"), which a cut would make unreadable ("4630N1").

// The identifier such a target writes for the row.
std::string SixCharacterId(const Waypoint& row);

// The header whose airports are named as such a target names them in its
// file names: cut to six characters, or the five-character form of an
// airport named from its position.
RouteHeader SixCharacterHeader(const RouteHeader& header);

// The route as such a target writes it: every row's identifier as
// SixCharacterId gives it, and the header's airports named as their rows.
// The route is copied only when some identifier changes.
class SixCharacterRoute {
 public:
  SixCharacterRoute(const RouteHeader& header, const WaypointTable& waypoints);

  const RouteHeader& Header() const { return header_ ? *header_ : header_in_; }
  const WaypointTable& Waypoints() const { return waypoints_ ? *waypoints_ : waypoints_in_; }

 private:
  const RouteHeader& header_in_;
  const WaypointTable& waypoints_in_;
  std::optional<RouteHeader> header_;
  std::optional<WaypointTable> waypoints_;
};

}  // namespace korvanta

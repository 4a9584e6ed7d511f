#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "route/position.hpp"
#include "route/tables.hpp"

namespace korvanta {

// One fix or navaid of the user's navigation data.
struct NavigationPoint {
  // The identifier as the data gives it ("BPK", "BRAIN"); at most 7 characters.
  std::array<char, 8> id_chars{};
  // The ICAO region ("EG"); empty in the FMC data folder's files, which carry none.
  std::array<char, 3> region_chars{};
  WaypointKind kind = WaypointKind::kIntersection;
  Position position{};
  // A navaid's frequency: VOR and DME in hundredths of a megahertz (11430 is
  // 114.30), NDB in tenths of a kilohertz (3385 is 338.5); 0 for a fix.
  std::uint32_t frequency = 0;

  std::string_view Id() const;
  std::string_view Region() const;
  // The frequency as the route finder writes it: "114.30", "338.5", "385";
  // "0" for a fix.
  std::string FrequencyText() const;
};

// A place on an airway: the index of a point of the data.
using PointIndex = std::uint32_t;

// The fixes, navaids and airways of the user's navigation data, as one index
// built once per run from the files. Filled by a loader (AddPoint,
// AddAirwayLeg, ...), then Finish(); only then looked up.
class NavigationData {
 public:
  // --- Filling ---
  void Reserve(std::size_t points, std::size_t airway_legs);
  // Adds a point; `id` longer than 7 characters is cut, `region` longer than 2 too.
  PointIndex AddPoint(std::string_view id, std::string_view region, WaypointKind kind,
                      Position position, std::uint32_t frequency = 0);
  // One leg of the airway `airway` between two points. A route may fly it
  // either way: a route string names an airway in either direction of its
  // listing, and one-way rules are the route finder's business.
  void AddAirwayLeg(std::string_view airway, PointIndex from, PointIndex to);
  // The point an airway's listing names by identifier and position (the FMC
  // data folder's airway file): PointNear, else a new fix there.
  PointIndex PointAt(std::string_view id, Position position);
  // The point of this identifier at this place, within about a tenth of a
  // minute (two listings of one point differ by rounding only): a navaid
  // before a fix, then the nearest; none when there is none.
  std::optional<PointIndex> PointNear(std::string_view id, Position position) const;
  // The point an airway's listing names by identifier, region and kind
  // (X-Plane's airway file); none when the data holds no such point.
  std::optional<PointIndex> PointOf(std::string_view id, std::string_view region,
                                    WaypointKind kind) const;
  // Sorts the airway index; call after the last leg. Points are found by
  // their identifiers while filling too.
  void Finish();

  // --- Looking up ---
  // Every point of this identifier (exact, case-sensitive), in no set order.
  std::vector<PointIndex> Named(std::string_view id) const;
  // Of the points named `id` (and of `region` when it is not empty), the one
  // nearest to `near`; none when there is none.
  std::optional<PointIndex> Nearest(std::string_view id, Position near,
                                    std::string_view region = {}) const;
  const NavigationPoint& Point(PointIndex index) const { return points_[index]; }
  bool HasAirway(std::string_view airway) const;
  // Whether the point lies on the airway.
  bool OnAirway(std::string_view airway, PointIndex point) const;
  // The points after `from` along the airway up to the first point named
  // `to_id` (that one included), in flying order, by the fewest legs; none
  // when the airway does not lead from `from` to a point of that name.
  std::optional<std::vector<PointIndex>> AlongAirway(std::string_view airway, PointIndex from,
                                                     std::string_view to_id) const;

  std::size_t PointCount() const { return points_.size(); }
  // Counts by kind, for `navdata`.
  std::size_t CountOf(WaypointKind kind) const;
  std::size_t AirwayCount() const;
  std::size_t AirwayLegCount() const { return legs_.size(); }

  // What the data says of itself: the AIRAC cycle ("2613"; empty when the
  // files do not say) and where it was read, for messages and `navdata`.
  std::string cycle;
  std::string cycle_comment;  // the comment line that names the cycle, as it stands
  std::string description;    // "FMC data folder /path" or "X-Plane /path"

 private:
  struct AirwayLeg {
    std::uint32_t airway;  // index into airway_names_
    PointIndex from;
    PointIndex to;
  };
  std::uint32_t AirwayNumber(std::string_view airway);
  std::optional<std::uint32_t> FindAirway(std::string_view airway) const;
  std::span<const AirwayLeg> LegsOf(std::uint32_t airway) const;
  template <typename Visit>
  void ForEachNamed(std::string_view id, Visit&& visit) const;
  void HashPoint(PointIndex index);
  void GrowHash(std::size_t points);

  static constexpr PointIndex kNoPoint = ~PointIndex{0};
  // A place of the identifier hash: open addressing, an empty place holding
  // no point; the fingerprint spares a look at points of other identifiers.
  struct HashedPoint {
    std::uint32_t fingerprint = 0;
    PointIndex index = kNoPoint;
  };

  std::vector<NavigationPoint> points_;
  // Every point by identifier: a power of two of places, at most 5/8 used.
  std::vector<HashedPoint> by_id_;
  std::vector<std::string> airway_names_;
  std::unordered_map<std::string, std::uint32_t> airway_numbers_;  // while filling
  std::vector<std::uint32_t> airway_order_;  // airway numbers ordered by name (after Finish)
  std::vector<AirwayLeg> legs_;              // ordered by airway (after Finish)
};

// The great-circle distance between two places, in nautical miles.
double DistanceNm(Position from, Position to);

}  // namespace korvanta

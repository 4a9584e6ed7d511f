#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "route/position.hpp"

namespace korvanta {

// Stores `text` into a fixed-width text field: a longer text is cut to the
// width, counted in characters.
std::string CutToWidth(std::string_view text, std::size_t width);

// What a waypoint is. The grid, the parse command and the FS2004 plan show
// it as its letter: "A", "V", "N", "I".
enum class WaypointKind { kAirport, kVor, kNdb, kIntersection };
char KindLetter(WaypointKind kind);

// One waypoint of the parsed route. The first row is the departure airport,
// the last the destination.
struct Waypoint {
  std::string id;  // identifier, whole; targets that hold fewer characters cut it
  // The position's text as the source gives it, cut to its width: shown by
  // the grid and the parse command, and named by the route check.
  std::string lat;
  std::string lon;
  std::int32_t alt = 0;  // feet; airport elevation on the two airport rows
  std::string route;     // airway leaving this point, empty for a direct leg
  WaypointKind kind = WaypointKind::kIntersection;
  std::string freq;   // radio frequency text, "0" for a fix
  std::string track;  // course text of the details list (mode 0 only)
  // The position as the source reads it once; every writer formats it.
  Position position{};
  // Why the latitude or longitude text gives no position; the route check
  // refuses such a route.
  CoordinateFault lat_fault = CoordinateFault::kNone;
  CoordinateFault lon_fault = CoordinateFault::kNone;
  // A point that a plan placed without a name of its own (or named by its
  // position): `id` is the position's compact name, and a target that holds
  // six characters writes the five-character form instead of cutting it.
  bool named_from_position = false;
};

// The waypoint table `Waypoints`. Text fields (UTF-8) are cut to their widths
// when stored.
class WaypointTable {
 public:
  // Identifiers are kept whole: this bound only keeps a plan's sentence-long
  // name from becoming an identifier no grid or plan line can show.
  static constexpr std::size_t kIdWidth = 32;
  static constexpr std::size_t kLatWidth = 16;
  static constexpr std::size_t kLonWidth = 16;
  static constexpr std::size_t kRouteWidth = 12;
  static constexpr std::size_t kFreqWidth = 6;
  static constexpr std::size_t kTrackWidth = 16;

  // The field names in field order, as the grid titles them.
  static constexpr const char* kFieldNames[] = {"id",    "lat", "lon",  "alt",
                                                "route", "typ", "freq", "track"};

  void Clear() { rows_.clear(); }
  void Append(Waypoint row);
  // Replaces the last row (the "edit, post" of the destination record).
  void ReplaceLast(Waypoint row);

  const std::vector<Waypoint>& Rows() const { return rows_; }
  std::size_t Count() const { return rows_.size(); }
  bool IsEmpty() const { return rows_.empty(); }
  const Waypoint& operator[](std::size_t i) const { return rows_[i]; }
  auto begin() const { return rows_.begin(); }
  auto end() const { return rows_.end(); }

 private:
  static Waypoint Stored(Waypoint row);
  std::vector<Waypoint> rows_;
};

// Route-level values set by every successful parse. `departure_name` and `destination_name`
// belong to one conversion run: they start empty with it and are set only by
// a parse that finds a heading line.
struct RouteHeader {
  std::string departure_icao;
  std::string destination_icao;
  std::string departure_name;
  std::string destination_name;
  std::int32_t departure_elevation = 0;
  std::int32_t destination_elevation = 0;
  std::int32_t cruise_altitude = 0;
  Position departure_position{};
  Position destination_position{};
};

// An airport as the database load collects it before the table is sorted:
// the `icao` bytes as they stand (at most the field's width) and `alt`.
struct PackedAirportElevation {
  std::array<char, 5> icao{};
  std::uint8_t size = 0;
  std::int32_t alt = 0;
};

struct AirportElevation {
  std::string icao;  // bytes 25 to 28 of the database line, as they stand (Windows-1252)
  std::int32_t alt = 0;
};

// The airport table `elevations`.
class AirportElevations {
 public:
  static constexpr std::size_t kIcaoWidth = 5;

  void Clear();
  void Reserve(std::size_t rows) { rows_.reserve(rows); }
  void Append(AirportElevation row);
  // Replaces the rows by `entries`, in the order Sort() gives them.
  void AssignSorted(const std::vector<PackedAirportElevation>& entries);
  // Orders the rows by `icao`, ascending, letter case ignored (stable, so
  // equal keys keep their file order).
  void Sort();
  // Exact, case-sensitive match on `icao`: the first match in table order;
  // null when none matches.
  const AirportElevation* FindFirst(std::string_view icao) const;

  std::size_t Count() const { return rows_.size(); }
  const std::vector<AirportElevation>& Rows() const { return rows_; }

 private:
  std::vector<AirportElevation> rows_;
  bool sorted_ = true;  // whether rows_ is in Sort() order (lookups search it)
};

}  // namespace korvanta

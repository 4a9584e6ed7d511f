#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
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
// The kind a letter names ("A", "V", "N"; anything else an intersection).
WaypointKind KindOfLetter(std::string_view letter);

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

// The first characters of an airport list line: the airport's name, in the
// list's Windows-1252 bytes, blank-padded.
inline constexpr std::size_t kAirportNameWidth = 24;

// A line of the airport list as the load collects it before the table is
// sorted: the `icao` bytes as they stand (at most the field's width), the
// name's bytes as they stand, the runway threshold's place and `alt`.
struct PackedAirportRunway {
  std::array<char, 5> icao{};
  std::uint8_t size = 0;
  std::array<char, kAirportNameWidth> name{};
  std::uint8_t name_size = 0;
  std::optional<Position> threshold;
  std::int32_t alt = 0;
};

// One line of the airport list: one runway of an airport.
struct AirportRunway {
  std::string icao;  // bytes 25 to 28 of the line, as they stand (Windows-1252)
  std::int32_t alt = 0;
  // Bytes 1 to 24 of the line, as they stand (Windows-1252), held in the row:
  // the list has tens of thousands of lines.
  std::array<char, kAirportNameWidth> name{};
  std::uint8_t name_size = 0;
  std::optional<Position> threshold{};  // none when the line does not place it

  std::string_view Name() const { return {name.data(), name_size}; }
};

// The airport table: the runways of the airport list.
class AirportRunways {
 public:
  static constexpr std::size_t kIcaoWidth = 5;

  void Clear();
  void Reserve(std::size_t rows) { rows_.reserve(rows); }
  void Append(AirportRunway row);
  // Replaces the rows by `entries`, in the order Sort() gives them.
  void AssignSorted(const std::vector<PackedAirportRunway>& entries);
  // Orders the rows by `icao`, ascending, letter case ignored (stable, so
  // equal keys keep their file order).
  void Sort();
  // Exact, case-sensitive match on `icao`: the first match in table order;
  // null when none matches.
  const AirportRunway* FindFirst(std::string_view icao) const;
  // Every exact, case-sensitive match on `icao`, in table order.
  std::vector<const AirportRunway*> FindAll(std::string_view icao) const;

  std::size_t Count() const { return rows_.size(); }
  const std::vector<AirportRunway>& Rows() const { return rows_; }

 private:
  // The rows that can match `icao`: those equal to it without regard to
  // case once sorted, else every row.
  std::span<const AirportRunway> Candidates(std::string_view icao) const;

  std::vector<AirportRunway> rows_;
  bool sorted_ = true;  // whether rows_ is in Sort() order (lookups search it)
};

}  // namespace korvanta

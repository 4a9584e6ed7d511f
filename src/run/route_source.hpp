#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"

namespace korvanta {

// The route as one reading gives it. `waypoints` is empty unless the reading
// succeeded.
struct RouteReading {
  ParseResult result = ParseResult::kParsed;
  RouteHeader header;
  WaypointTable waypoints;
  std::string message;  // kUnreadable: why the source gives no route (UTF-8)
  // A route that reads but may not be written (a cut-off text): why.
  std::optional<std::string> fault;
  // What the source tells the user about the route without refusing it,
  // one line each (a plan's count that disagrees with its points).
  std::vector<std::string> notes;

  bool Parsed() const { return result == ParseResult::kParsed; }
};

// Where a conversion run takes its route from: the route finder's text, and
// later the plan files of other programs. Texts are UTF-8.
class RouteSource {
 public:
  virtual ~RouteSource() = default;

  // The route in the reading `options.mode` names, every position read once
  // into numbers (a coordinate text that does not read is marked on its
  // row for the route check). The airports give the airport elevations.
  virtual RouteReading Read(const ParseOptions& options, const AirportDatabase& airports) const = 0;

  // The departing runway the source names; none when it names none.
  virtual std::optional<std::string> Runway() const { return std::nullopt; }

  // The route text that the run keeps as "route.txt" and copies beside the
  // simulator's routes (".rts"): the text with CR LF after every line. None
  // when the source is no route finder's text: then no copy applies.
  virtual std::optional<std::string> RouteText() const { return std::nullopt; }
};

// The route finder's text result, read by ParseRoute.
class RouteTextSource : public RouteSource {
 public:
  // `text` is UTF-8 (InputToUtf8 makes it from any input).
  explicit RouteTextSource(std::string_view text);

  RouteReading Read(const ParseOptions& options, const AirportDatabase& airports) const override;
  std::optional<std::string> RouteText() const override;

 private:
  std::vector<std::string> lines_;
};

}  // namespace korvanta

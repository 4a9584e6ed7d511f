#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "readers/plan_route.hpp"
#include "route/position.hpp"

namespace korvanta {

// The elements of a route string as written, before the navigation data
// gives them meaning.

enum class RouteElementKind {
  kName,      // a point, an airway, or a SID or STAR: the navigation data decides
  kDirect,    // "DCT"
  kPosition,  // a latitude/longitude point: "46N078W", "4620N07805W", "5020N"
};

struct RouteElement {
  RouteElementKind kind = RouteElementKind::kName;
  std::string text;     // as written, in upper case
  Position position{};  // a kPosition's place
};

// A route string taken apart: the airports at its ends, the runway written
// after the departure ("EGLL/27R"), the elements between them (speed and
// level groups and flight-rule changes left out), and the level of the
// first speed and level group that gives one.
struct RouteStringParts {
  std::string departure;
  std::string runway;  // empty when the string names none
  std::string destination;
  std::vector<RouteElement> between;
  std::optional<std::int32_t> first_level;  // feet
};

using RouteStringSplit = std::variant<RouteStringParts, PlanReadError>;

// Splits the string (its bytes as they came in, UTF-8 or Windows-1252) at
// blanks and line ends; letters are taken in upper case. The error names
// the element that is none of a route string's forms.
RouteStringSplit SplitRouteString(std::string_view bytes);

// Whether the text has a route string's shape: a few lines of elements of
// upper-case letters, digits and "/", at least two of them, the first and
// the last (speed and level groups aside) airport codes. The route finder's
// text and anything else (lower case, punctuation, one word) have not.
bool HasRouteStringShape(std::string_view text);

}  // namespace korvanta

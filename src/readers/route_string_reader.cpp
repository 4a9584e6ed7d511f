#include "readers/route_string_reader.hpp"

namespace korvanta {

bool LooksLikeRouteString(std::string_view) {
  return false;
}

PlanReadResult ReadRouteString(std::string_view, const AirportDatabase&) {
  return PlanReadError{"Route strings are not read yet"};
}

}  // namespace korvanta

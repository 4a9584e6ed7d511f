#pragma once

#include <optional>
#include <string_view>

namespace korvanta {

// What an input holds: the route finder's text or the flight plan of a
// simulator or planner.
enum class InputKind {
  kText,  // route-finder text
  kPln,   // FSX, Prepar3D, MSFS 2020 or MSFS 2024 flight plan (XML root "SimBase.Document")
  kFms,   // X-Plane plan, version 3 or 11/12
  kGpx,   // GPX file (XML root "gpx")
};

// The kind of the input, by its content only: a UTF-8 byte-order mark and
// leading blanks are skipped. XML whose root is "SimBase.Document" is a plan
// of the Microsoft simulators, XML whose root is "gpx" a GPX file; a first
// line "I" or "A" over a second line "3 version" or "1100 Version" is an
// X-Plane plan; anything else is route-finder text.
InputKind DetectInputKind(std::string_view bytes);

// The kind a user names ("text", "pln", "fms", "gpx"); nothing for any other name.
std::optional<InputKind> InputKindFromName(std::string_view name);
std::string_view InputKindName(InputKind kind);

}  // namespace korvanta

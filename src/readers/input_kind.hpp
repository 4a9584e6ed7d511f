#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvanta {

// What an input holds: the route finder's text, the flight plan of a
// simulator or planner, or a route string.
enum class InputKind {
  kText,   // route-finder text
  kPln,    // FSX, Prepar3D, MSFS 2020 or MSFS 2024 flight plan (XML root "SimBase.Document"),
           // or FS2004 flight plan (first line "[flightplan]")
  kFms,    // X-Plane plan, version 3 or 11/12
  kGpx,    // GPX file (XML root "gpx")
  kRoute,  // route string ("EGLL/27R BPK Q295 BRAIN ... KJFK"), resolved against navigation data
  // A plan of a kind that no reader takes (an XML document of another root,
  // an X-Plane plan of another version): refused with what was found.
  kUnreadKind,
};

// The kind of the input, by its content only, as the reader table's rows
// detect it: a UTF-8 byte-order mark and leading blanks are skipped; a plan
// that no reader takes is kUnreadKind, anything else route-finder text.
InputKind DetectInputKind(std::string_view bytes);

// The kind a user names (the reader table's --from words); nothing for any other name.
std::optional<InputKind> InputKindFromName(std::string_view name);
std::string_view InputKindName(InputKind kind);

// The content tests the readers' rows use.
// The bytes without a UTF-8 byte-order mark and leading blanks.
std::string_view WithoutByteOrderMarkAndBlanks(std::string_view bytes);
// The name of the root element of text that starts like XML: the
// declaration, processing instructions, comments, a DOCTYPE and blanks before
// it are stepped over. Empty when the text does not lead to one.
std::string XmlRootName(std::string_view text);
// A first line "I" or "A" over a second line "3 version" or "1100 Version".
bool StartsLikeXPlanePlan(std::string_view bytes);
// The version of a text that starts like an X-Plane plan of any version (a
// first line "I" or "A" over a second line "<digits> version"); empty when
// it does not.
std::string_view XPlanePlanVersion(std::string_view bytes);

}  // namespace korvanta

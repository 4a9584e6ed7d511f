#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// The Google Earth file: a KML 2.2 document with one placemark per waypoint
// line of the FS2004 plan text (styled by the waypoint's kind) and one line
// through all of them. `dep_name` and `dest_name` (UTF-8, as the route header
// holds them) name the document and its folder. The result is UTF-8 without a
// byte order mark, every character of the names kept, every line ended with
// CR LF.
std::string WriteGoogleEarthKml(std::string_view plan_text, std::string_view dep_name,
                                std::string_view dest_name);

}  // namespace korvanta

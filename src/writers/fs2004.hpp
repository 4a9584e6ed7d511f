#pragma once

#include <string>
#include <string_view>

#include "route/tables.hpp"

namespace korvanta {

// The FS2004 flight plan text (the "[flightplan]" and "[FSC]" sections) and
// the ISG gauges' "default.rte", from a route parsed in text mode, both with
// CR LF line ends. The plan text is also what the FSX and Google Earth
// writers read: it stays UTF-8 until the FS2004 plan file is written, in
// Windows-1252 (Utf8ToCp1252). The ISG route is Windows-1252 already.
struct Fs2004Plan {
  std::string plan_text;  // UTF-8
  std::string isg_route;  // Windows-1252
};

Fs2004Plan WriteFs2004Plan(const RouteHeader& header, const WaypointTable& waypoints,
                           std::string_view runway);

// An elevation as the plan writes it: "+000364.00"; a negative one "-000011.00".
std::string Fs2004ElevationText(std::int32_t feet);

}  // namespace korvanta

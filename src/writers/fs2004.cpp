#include "writers/fs2004.hpp"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <cstdlib>

#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"
#include "text/text.hpp"
#include "text/utf8.hpp"
#include "writers/coordinate_text.hpp"
#include "writers/six_character_id.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kIsgIdWidth = 16;

std::string Padded(std::string_view id) {
  std::string text(id);
  const std::size_t width = CharacterCount(id);
  if (width < kIsgIdWidth)
    text.append(kIsgIdWidth - width, ' ');
  return text;
}

// The frequency with two decimals: 114.30, 385.00, 0.00.
std::string FrequencyText(std::string_view freq) {
  std::string text(Trim(FormatFixed(ReadDecimal(freq).value_or(0.0), 6)));
  return text.substr(0, text.size() >= 4 ? text.size() - 4 : 0);
}

std::string PositionText(const Position& position) {
  return Fs2004LatitudeText(position.latitude) + ", " + Fs2004LongitudeText(position.longitude);
}

std::string IsgKind(WaypointKind kind) {
  if (kind == WaypointKind::kVor)
    return "VOR";
  if (kind == WaypointKind::kNdb)
    return "NDB";
  return "INT";
}

}  // namespace

std::string Fs2004ElevationText(std::int32_t feet) {
  // Zeros go in front of the magnitude; the sign comes first, so that a
  // negative elevation still reads as a number.
  const std::string magnitude = std::to_string(std::llabs(static_cast<long long>(feet)));
  const std::string padded =
      magnitude.size() < 6 ? std::string(6 - magnitude.size(), '0') + magnitude : magnitude;
  return (feet < 0 ? "-" : "+") + padded + ".00";
}

Fs2004Plan WriteFs2004Plan(const RouteHeader& route_header, const WaypointTable& route_waypoints,
                           std::string_view runway) {
  const SixCharacterRoute route(route_header, route_waypoints);
  const RouteHeader& h = route.Header();
  const WaypointTable& waypoints = route.Waypoints();
  Fs2004Plan out;
  std::string& p = out.plan_text;
  std::string& isg = out.isg_route;

  AppendCrLfLine(isg, fmt::format("CruiseAlt={}", h.cruise_altitude));
  AppendCrLfLine(isg, "");
  AppendCrLfLine(isg, "[FlightPlan]");

  AppendCrLfLine(p, "[flightplan]");
  AppendCrLfLine(p, "AppVersion=9.0.30612");
  AppendCrLfLine(p, "title=" + h.departure_icao + " to " + h.destination_icao);
  AppendCrLfLine(p, "description=" + h.departure_icao + ", " + h.destination_icao);
  AppendCrLfLine(p, "type=IFR");
  AppendCrLfLine(p, "routetype=3");
  AppendCrLfLine(p, fmt::format("cruising_altitude={}", h.cruise_altitude));
  AppendCrLfLine(p, "departure_id=" + h.departure_icao + ", " + PositionText(h.departure_position) +
                        ", " + Fs2004ElevationText(h.departure_elevation));
  if (!runway.empty())
    AppendCrLfLine(p, "departure_position=" + std::string(runway));
  AppendCrLfLine(p, "destination_id=" + h.destination_icao + ", " +
                        PositionText(h.destination_position) + ", " +
                        Fs2004ElevationText(h.destination_elevation));
  AppendCrLfLine(p, "departure_name=" + h.departure_name);
  AppendCrLfLine(p, "destination_name=" + h.destination_name);
  for (std::size_t i = 0; i < waypoints.Count(); ++i) {
    const Waypoint& r = waypoints[i];
    AppendCrLfLine(p, fmt::format(FMT_COMPILE("waypoint.{}=, {}, , {}, {}, {}, {} , {}"), i, r.id,
                                  r.id, KindLetter(r.kind), PositionText(r.position),
                                  Fs2004ElevationText(r.alt), r.route));
  }
  AppendCrLfLine(p, "");
  AppendCrLfLine(p, "");
  AppendCrLfLine(p, "[FSC]");
  AppendCrLfLine(p, "DepartAPCode=" + h.departure_icao);
  AppendCrLfLine(p, "DepartNum=0");
  AppendCrLfLine(p, "DepartID=08");
  AppendCrLfLine(p, "DepartType=Rwy");
  AppendCrLfLine(p, "DestAPCode=" + h.destination_icao);
  AppendCrLfLine(p, "RouteType=3");
  AppendCrLfLine(p, "SID=");
  AppendCrLfLine(p, "STAR=");

  for (std::size_t i = 0; i < waypoints.Count(); ++i) {
    const Waypoint& r = waypoints[i];
    const std::string lat = SixDecimalDegreesText(r.position.latitude);
    const std::string lon = SixDecimalDegreesText(r.position.longitude);
    const bool departure = r.id == h.departure_icao;
    const bool destination = r.id == h.destination_icao;
    if (departure)
      AppendCrLfLine(isg, Padded(h.departure_icao) + " " + lat + " " + lon + " APT");
    if (destination)
      AppendCrLfLine(isg, Padded(h.destination_icao) + " " + lat + " " + lon + " APT");
    if (departure || destination)
      continue;
    AppendCrLfLine(p, fmt::format(FMT_COMPILE("WP={},Int,{},{},{},{},{},{}.0000,0.000,1,100,{}"), i,
                                  r.id, r.id, lat, lon, FrequencyText(r.freq), r.track, r.route));
    AppendCrLfLine(isg, Padded(r.id) + " " + lat + " " + lon + " " + IsgKind(r.kind));
  }
  isg = Utf8ToCp1252(isg);
  return out;
}

}  // namespace korvanta

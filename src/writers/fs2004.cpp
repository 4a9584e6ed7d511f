#include "writers/fs2004.hpp"

#include <fmt/format.h>

#include <cstdlib>

#include "route/conversions.hpp"
#include "route/numbers.hpp"
#include "route/text.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kIsgIdWidth = 16;

std::string Padded(std::string_view id) {
  std::string text(id);
  if (text.size() < kIsgIdWidth)
    text.resize(kIsgIdWidth, ' ');
  return text;
}

// The frequency with two decimals: 114.30, 385.00, 0.00.
std::string FrequencyText(std::string_view freq) {
  std::string text(Trim(DecimalText6(freq)));
  return text.substr(0, text.size() >= 4 ? text.size() - 4 : 0);
}

std::string IsgKind(std::string_view typ) {
  if (typ == "V")
    return "VOR";
  if (typ == "N")
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

Fs2004Plan WriteFs2004Plan(const RouteHeader& h, const RmTable& rm, std::string_view runway) {
  Fs2004Plan out;
  std::string& p = out.plan_text;
  std::string& isg = out.isg_route;

  AppendCrLfLine(isg, fmt::format("CruiseAlt={}", h.CruiseAlt));
  AppendCrLfLine(isg, "");
  AppendCrLfLine(isg, "[FlightPlan]");

  AppendCrLfLine(p, "[flightplan]");
  AppendCrLfLine(p, "AppVersion=9.0.30612");
  AppendCrLfLine(p, "title=" + h.DepIcao + " to " + h.DestIcao);
  AppendCrLfLine(p, "description=" + h.DepIcao + ", " + h.DestIcao);
  AppendCrLfLine(p, "type=IFR");
  AppendCrLfLine(p, "routetype=3");
  AppendCrLfLine(p, fmt::format("cruising_altitude={}", h.CruiseAlt));
  AppendCrLfLine(p, "departure_id=" + h.DepIcao + ", " + LatDmsToDegMinText(h.DepLat) + ", " +
                        LonDmsToDegMinText(h.DepLon) + ", " + Fs2004ElevationText(h.DepElev));
  if (!runway.empty())
    AppendCrLfLine(p, "departure_position=" + std::string(runway));
  AppendCrLfLine(p, "destination_id=" + h.DestIcao + ", " + LatDmsToDegMinText(h.DestLat) + ", " +
                        LonDmsToDegMinText(h.DestLon) + ", " + Fs2004ElevationText(h.DestElev));
  AppendCrLfLine(p, "departure_name=" + h.DepName);
  AppendCrLfLine(p, "destination_name=" + h.DestName);
  for (std::size_t i = 0; i < rm.Count(); ++i) {
    const RmRow& r = rm[i];
    AppendCrLfLine(p, fmt::format("waypoint.{}=, {}, , {}, {}, {}, {}, {} , {}", i, r.id, r.id,
                                  r.typ, LatDmsToDegMinText(r.lat), LonDmsToDegMinText(r.lon),
                                  Fs2004ElevationText(r.alt), r.route));
  }
  AppendCrLfLine(p, "");
  AppendCrLfLine(p, "");
  AppendCrLfLine(p, "[FSC]");
  AppendCrLfLine(p, "DepartAPCode=" + h.DepIcao);
  AppendCrLfLine(p, "DepartNum=0");
  AppendCrLfLine(p, "DepartID=08");
  AppendCrLfLine(p, "DepartType=Rwy");
  AppendCrLfLine(p, "DestAPCode=" + h.DestIcao);
  AppendCrLfLine(p, "RouteType=3");
  AppendCrLfLine(p, "SID=");
  AppendCrLfLine(p, "STAR=");

  for (std::size_t i = 0; i < rm.Count(); ++i) {
    const RmRow& r = rm[i];
    const std::string lat = DmsToDecimalText(r.lat);
    const std::string lon = DmsToDecimalText(r.lon);
    const bool departure = r.id == h.DepIcao;
    const bool destination = r.id == h.DestIcao;
    if (departure)
      AppendCrLfLine(isg, Padded(h.DepIcao) + " " + lat + " " + lon + " APT");
    if (destination)
      AppendCrLfLine(isg, Padded(h.DestIcao) + " " + lat + " " + lon + " APT");
    if (departure || destination)
      continue;
    AppendCrLfLine(p, fmt::format("WP={},Int,{},{},{},{},{},{}.0000,0.000,1,100,{}", i, r.id, r.id,
                                  lat, lon, FrequencyText(r.freq), r.track, r.route));
    AppendCrLfLine(isg, Padded(r.id) + " " + lat + " " + lon + " " + IsgKind(r.typ));
  }
  return out;
}

}  // namespace korvanta

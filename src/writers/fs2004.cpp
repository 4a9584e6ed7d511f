#include "writers/fs2004.hpp"

#include <fmt/format.h>

#include <cstdlib>

#include "route/conversions.hpp"
#include "route/numbers.hpp"

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

void Line(std::string& out, std::string_view text) {
  out += text;
  out += "\r\n";
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

  Line(isg, fmt::format("CruiseAlt={}", h.CruiseAlt));
  Line(isg, "");
  Line(isg, "[FlightPlan]");

  Line(p, "[flightplan]");
  Line(p, "AppVersion=9.0.30612");
  Line(p, "title=" + h.DepIcao + " to " + h.DestIcao);
  Line(p, "description=" + h.DepIcao + ", " + h.DestIcao);
  Line(p, "type=IFR");
  Line(p, "routetype=3");
  Line(p, fmt::format("cruising_altitude={}", h.CruiseAlt));
  Line(p, "departure_id=" + h.DepIcao + ", " + LatDmsToDegMinText(h.DepLat) + ", " +
              LonDmsToDegMinText(h.DepLon) + ", " + Fs2004ElevationText(h.DepElev));
  if (!runway.empty())
    Line(p, "departure_position=" + std::string(runway));
  Line(p, "destination_id=" + h.DestIcao + ", " + LatDmsToDegMinText(h.DestLat) + ", " +
              LonDmsToDegMinText(h.DestLon) + ", " + Fs2004ElevationText(h.DestElev));
  Line(p, "departure_name=" + h.DepName);
  Line(p, "destination_name=" + h.DestName);
  for (std::size_t i = 0; i < rm.Count(); ++i) {
    const RmRow& r = rm[i];
    Line(p, fmt::format("waypoint.{}=, {}, , {}, {}, {}, {}, {} , {}", i, r.id, r.id, r.typ,
                        LatDmsToDegMinText(r.lat), LonDmsToDegMinText(r.lon),
                        Fs2004ElevationText(r.alt), r.route));
  }
  Line(p, "");
  Line(p, "");
  Line(p, "[FSC]");
  Line(p, "DepartAPCode=" + h.DepIcao);
  Line(p, "DepartNum=0");
  Line(p, "DepartID=08");
  Line(p, "DepartType=Rwy");
  Line(p, "DestAPCode=" + h.DestIcao);
  Line(p, "RouteType=3");
  Line(p, "SID=");
  Line(p, "STAR=");

  for (std::size_t i = 0; i < rm.Count(); ++i) {
    const RmRow& r = rm[i];
    const std::string lat = DmsToDecimalText(r.lat);
    const std::string lon = DmsToDecimalText(r.lon);
    const bool departure = r.id == h.DepIcao;
    const bool destination = r.id == h.DestIcao;
    if (departure)
      Line(isg, Padded(h.DepIcao) + " " + lat + " " + lon + " APT");
    if (destination)
      Line(isg, Padded(h.DestIcao) + " " + lat + " " + lon + " APT");
    if (departure || destination)
      continue;
    Line(p, fmt::format("WP={},Int,{},{},{},{},{},{}.0000,0.000,1,100,{}", i, r.id, r.id, lat, lon,
                        FrequencyText(r.freq), r.track, r.route));
    Line(isg, Padded(r.id) + " " + lat + " " + lon + " " + IsgKind(r.typ));
  }
  return out;
}

}  // namespace korvanta

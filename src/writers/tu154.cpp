#include "writers/tu154.hpp"

#include <fmt/format.h>

#include <string_view>

#include "route/conversions.hpp"
#include "writers/tu154_navdata.hpp"

namespace korvanta {

namespace {

std::string_view TypeCode(std::string_view typ) {
  if (typ == "V")
    return "1";
  if (typ == "N")
    return "0";
  if (typ == "A")
    return "2";
  return "3";  // an intersection or other fix
}

}  // namespace

std::string Tu154LookupKey(const RmRow& row) {
  return TuPointKey(row.id, DmsToDecimalText(row.lon), DmsToDecimalText(row.lat));
}

std::string WriteTu154Plan(const RmTable& rm, TuTable& tu, int plan_number) {
  std::string out = fmt::format("[FPL.{}]\r\n", plan_number);
  int written = 0;
  for (const RmRow& row : rm) {
    const TuRow* point = tu.Locate(Tu154LookupKey(row));
    if (!point)
      continue;
    out += fmt::format("Point.{}=TYPE=[{}] ICAO_ID=[{}] Lat=[{}] Lon=[{}]\r\n", written,
                       TypeCode(row.typ), row.id, point->lat, point->lon);
    ++written;
  }
  out += fmt::format("PointsCount={}\r\n", written);
  return out;
}

}  // namespace korvanta

#include "writers/xplane11.hpp"

#include <fmt/format.h>

#include "route/text.hpp"
#include "writers/point_position.hpp"
#include "writers/runway.hpp"

namespace korvanta {

namespace {

// 3 VOR, 2 NDB, 11 for an intersection and anything else; 1 is an airport.
int TypeCode(std::string_view typ) {
  if (typ == "V")
    return 3;
  if (typ == "N")
    return 2;
  return 11;
}

}  // namespace

std::string WriteXPlane11Fms(const RouteHeader& header, const RmTable& rm, std::string_view runway,
                             std::string_view cycle) {
  std::string out;
  AppendCrLfLine(out, "I");
  AppendCrLfLine(out, "1100 Version");
  AppendCrLfLine(out, fmt::format("CYCLE {}", cycle));
  AppendCrLfLine(out, "ADEP " + header.DepIcao);
  if (const std::string runway_name = NormalizedRunway(runway); !runway_name.empty())
    AppendCrLfLine(out, "DEPRWY RW" + runway_name);
  AppendCrLfLine(out, "ADES " + header.DestIcao);
  AppendCrLfLine(out, fmt::format("NUMENR {}", rm.Count()));

  const std::size_t last = rm.Count() - 1;
  for (std::size_t i = 0; i < rm.Count(); ++i) {
    const RmRow& row = rm[i];
    const ExactPosition position = ExactPositionOf(row);
    int type = TypeCode(row.typ);
    // The flight management computer reads blank-separated fields, so the
    // airway loses its blanks.
    std::string via = i > 0 ? WithoutBlanks(rm[i - 1].route) : std::string();
    if (via.empty())
      via = "DRCT";
    std::int32_t altitude = header.CruiseAlt;
    if (i == 0) {
      type = 1;
      via = "ADEP";
      altitude = header.DepElev;
    } else if (i == last) {
      type = 1;
      via = "ADES";
      altitude = header.DestElev;
    } else if (row.id == header.DepIcao || row.id == header.DestIcao) {
      // An airport the route passes is still that airport, flown over at
      // cruise altitude.
      type = 1;
    }
    AppendCrLfLine(out, fmt::format("{} {} {} {} {} {}", type, row.id, via, altitude, position.lat,
                                    position.lon));
  }
  return out;
}

}  // namespace korvanta

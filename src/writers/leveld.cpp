#include "writers/leveld.hpp"

#include <cstddef>
#include <string_view>

#include "route/conversions.hpp"
#include "route/numbers.hpp"
#include "route/text.hpp"

namespace korvanta {

std::string WriteLevelDRoute(const RouteHeader& header, const RmTable& rm) {
  std::string out;
  AppendCrLfLine(out, ";FlightPlan created   by Korvanta ver. 2.9");
  AppendCrLfLine(out, ";" + header.DepName + " to " + header.DestName);
  AppendCrLfLine(out, "");
  AppendCrLfLine(out, "H," + header.DepIcao + "," + header.DestIcao + ", ,");
  // The departure is the first row; every row named like the destination
  // is left out, wherever it stands.
  for (std::size_t i = 1; i < rm.Count(); ++i) {
    const RmRow& row = rm[i];
    if (row.id == header.DestIcao)
      continue;
    const char* airway_flag = Trim(row.route).empty() ? "0" : "30";
    AppendCrLfLine(out, "W," + row.id + "," + row.route + "," + airway_flag + "," +
                            DmsToDecimalText(row.lat) + "," + DmsToDecimalText(row.lon) + "," +
                            DecimalText6(row.freq) + ",0,0,0,0");
  }
  AppendCrLfLine(out, "");
  AppendCrLfLine(out, "End of FlightPlan");
  return out;
}

}  // namespace korvanta

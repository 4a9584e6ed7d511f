#include "writers/maddog.hpp"

#include <string_view>

#include "route/conversions.hpp"
#include "route/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kDirect = "DIRECT";

}  // namespace

std::string WriteMadDogRoute(const RouteHeader& header, const RmTable& rm) {
  std::string out;
  AppendCrLfLine(out, header.DepIcao);
  AppendCrLfLine(out, header.DestIcao);
  // The airway of the last fix written; the departure airport is skipped.
  std::string previous;
  for (std::size_t i = 1; i < rm.Count(); ++i) {
    const RmRow& fix = rm[i];
    if (fix.id == header.DestIcao)
      continue;
    if (!fix.route.empty() && fix.route == previous)
      continue;
    const std::string_view via = previous.empty() ? kDirect : std::string_view(previous);
    std::string line;
    line.append(via).append(" ").append(fix.id);
    line.append(" ").append(DmsToDecimalText(fix.lat));
    line.append(" ").append(DmsToDecimalText(fix.lon));
    AppendCrLfLine(out, line);
    previous = fix.route;
  }
  return out;
}

}  // namespace korvanta

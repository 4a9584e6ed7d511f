#include "readers/plan_reader.hpp"

#include <string>

#include "readers/gpx_reader.hpp"
#include "readers/msfs_plan_reader.hpp"
#include "readers/route_text_parser.hpp"
#include "readers/xplane_plan_reader.hpp"

namespace korvanta {

PlanReadResult ReadPlan(InputKind kind, std::string_view bytes, const AirportDatabase& airports) {
  switch (kind) {
    case InputKind::kPln:
      return ReadMsfsPlan(bytes, airports);
    case InputKind::kFms:
      return ReadXPlanePlan(bytes, airports);
    case InputKind::kGpx:
      return ReadGpxRoute(bytes, airports);
    case InputKind::kText:
      break;
  }
  return PlanReadError{std::string(kWrongFormat)};
}

}  // namespace korvanta

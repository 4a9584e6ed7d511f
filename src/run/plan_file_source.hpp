#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "readers/input_kind.hpp"
#include "run/route_source.hpp"

namespace korvanta {

// The flight plan of a simulator or planner (an FSX/MSFS plan, an X-Plane
// plan, a GPX file), read by its kind's reader at every reading. A plan that
// does not read gives the reader's message. It has no route-finder text, so
// a run on it keeps no "route.txt" and makes no ".rts" copy.
class PlanFileSource : public RouteSource {
 public:
  // `bytes` as the file holds them; `kind` is no kText.
  PlanFileSource(InputKind kind, std::string_view bytes);

  RouteReading Read(const ParseOptions& options, const AirportDatabase& airports) const override;
  // The departure runway the plan names ("16L").
  std::optional<std::string> Runway() const override;

 private:
  InputKind kind_;
  std::string bytes_;
};

}  // namespace korvanta

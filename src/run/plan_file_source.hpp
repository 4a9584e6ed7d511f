#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "readers/input_kind.hpp"
#include "readers/plan_route.hpp"
#include "route/airports.hpp"
#include "run/route_source.hpp"

namespace korvanta {

// The flight plan of a simulator or planner (an FSX/MSFS plan, an X-Plane
// plan, a GPX file), read by its kind's reader once for all the readings a
// run asks for; both readings give the same route. A plan that
// does not read gives the reader's message. It has no route-finder text, so
// a run on it keeps no "route.txt" and makes no ".rts" copy.
class PlanFileSource : public RouteSource {
 public:
  // `bytes` as the file holds them; `kind` is no kText.
  PlanFileSource(InputKind kind, std::string_view bytes);

  RouteReading Read(const ParseOptions& options, const AirportDatabase& airports) const override;
  // The departure runway the plan names ("16L"); from the plan already read
  // when there is one.
  std::optional<std::string> Runway() const override;

 private:
  // The plan read with these airports' elevations, read only when a reading
  // asks for other airports than the last one did.
  const PlanReadResult& Plan(const AirportDatabase& airports) const;

  InputKind kind_;
  std::string bytes_;
  mutable std::optional<PlanReadResult> plan_;
  mutable const AirportDatabase* read_with_ = nullptr;
};

}  // namespace korvanta

#pragma once

#include <cstdint>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "run/targets.hpp"

namespace korvanta {

// The user's choices for one run.
struct RunChoices {
  std::set<Target> ticked;
  bool super80 = false;   // the "Flight1 Super 80 format" box
  std::string runway;     // the departing runway, UTF-8; empty: the one the route source names
  int plan_number = 661;  // the plan number of the Super 80 and Tu-154 plans
  Simulator simulator = Simulator::kFs9;
  bool file_dialog = false;  // started with "/T": rows that offer it ask for their file
  std::string cycle;         // AIRAC cycle YYCC of the X-Plane 11/12 plan; empty: today's
  // Only the ticked targets that are installed are written: one whose folder
  // was only looked for and is missing is left out, not failed.
  bool installed_only = false;
  // The cruise altitude in feet, over the one the route gives; none: the route's.
  std::optional<std::int32_t> cruise_altitude;

  bool Ticked(Target target) const { return ticked.count(target) != 0; }
  // Whether the run writes the target: a ticked box stands for it under the selection.
  bool Writes(Target target) const {
    for (const Target box : ticked) {
      if (TargetUnder(box, simulator) == target)
        return true;
    }
    return false;
  }
};

inline constexpr std::string_view kPlanNumberTooHigh = "Flight plan nr. is too high";
// The line that follows it: what the Tu-154 store holds.
inline constexpr std::string_view kTu154PlanRange = "The Tu-154 store holds plans 1 to 25";

}  // namespace korvanta

#pragma once

#include <filesystem>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "route/airports.hpp"
#include "route/parser.hpp"
#include "route/tables.hpp"
#include "run/front_end.hpp"
#include "run/targets.hpp"
#include "settings/folder_set.hpp"

namespace korvanta {

// The user's choices for one run.
struct RunChoices {
  std::set<Target> ticked;
  bool super80 = false;   // the "Flight1 Super 80 format" box
  std::string runway;     // the departing runway, Windows-1252
  int plan_number = 661;  // the plan number of the Super 80 and Tu-154 plans
  Simulator simulator = Simulator::kFs9;
  bool file_dialog = false;  // started with "/T": writers that offer it ask for their file
  std::string cycle;         // AIRAC cycle YYCC of the X-Plane 11/12 plan; empty: today's

  bool Ticked(Target t) const { return ticked.count(t) != 0; }
};

inline constexpr std::string_view kTooManyFiles = "Too many files";
inline constexpr std::string_view kPlanNumberTooHigh = "Flight plan nr. is too high";

enum class RunEnd {
  kCompleted,  // every ticked writer ran (some may have skipped on a failed parse)
  kStopped,    // "Too many files" or "Flight plan nr. is too high"
  kFailed,     // the run's error report
};

struct RunOutcome {
  RunEnd end = RunEnd::kCompleted;
  bool parse_failed = false;                        // some parse of this run did not succeed
  ParseResult last_failure = ParseResult::kParsed;  // why the last failed parse failed
  std::vector<std::filesystem::path> written;
};

// Everything one writer slot needs while it runs; built by the run.
struct SlotContext;

// The conversion run: saves the route text as "route.txt", visits the writer
// slots in their fixed order (each ticked one parses the text for itself),
// and ends with the ".rts" copy of the route text. Stops and errors end it
// early; files already written stay.
class ConversionRun {
 public:
  ConversionRun(const FolderSet& folders, const AirportDatabase& airports, FrontEnd& front);

  // `text` is the route text in Windows-1252.
  RunOutcome Run(const std::string& text, const RunChoices& choices);

  // The waypoint table as the run's last parse left it (the window's grid).
  const WaypointTable& Waypoints() const { return waypoints_; }
  const RouteHeader& Header() const { return header_; }

  // The folder a writer uses during a run under `choices` (for the window's
  // save dialog and for the tests).
  std::filesystem::path SimulatorDir(const RunChoices& choices) const;
  std::filesystem::path PlanFolder(const RunChoices& choices) const;

 private:
  friend struct SlotContext;
  const FolderSet& folders_;
  const AirportDatabase& airports_;
  FrontEnd& front_;
  WaypointTable waypoints_;
  RouteHeader header_;
};

}  // namespace korvanta

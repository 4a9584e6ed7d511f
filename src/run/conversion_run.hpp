#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "route/tables.hpp"
#include "run/front_end.hpp"
#include "run/route_source.hpp"
#include "run/run_choices.hpp"
#include "run/targets.hpp"
#include "settings/folder_set.hpp"

namespace korvanta {

inline constexpr std::string_view kTooManyFiles = "Too many files";
// The first line of the run's report of the targets it could not write.
inline constexpr std::string_view kNotWrittenHeading = "Not written:";

enum class RunEnd {
  kCompleted,     // every ticked writer ran, or was skipped because the route did not read
  kNotWritten,    // some targets (or the route text's copies) could not be written; the others were
  kRouteRefused,  // a coordinate of the route is bad: nothing was written
};

// A ticked target that the run could not write, and why.
struct TargetFailure {
  std::string caption;  // the target's box caption under the run's selection
  std::string message;  // "Too many files", "Cannot write ...: Permission denied"

  std::string Line() const { return caption + ": " + message; }
};

struct RunOutcome {
  RunEnd end = RunEnd::kCompleted;
  std::vector<TargetFailure> failures;              // in run order
  bool parse_failed = false;                        // a reading of this run did not succeed
  ParseResult last_failure = ParseResult::kParsed;  // why the last failed reading failed
  std::string failure_message;                      // kUnreadable: the source's message
  std::vector<std::filesystem::path> written;
  // A run of the installed targets only: the captions of those whose folder
  // is missing, in run order.
  std::vector<std::string> not_installed;
};

// The conversion run: checks the route's coordinates (a bad one ends the run
// before anything is written), saves the route text as "route.txt", writes
// the ticked rows of the target table in their order and ends with the
// ".rts" copy of the route text. Each ticked row is handed the reading of the
// route it needs;
// each reading is made once per run, at its first use. A writer is skipped
// when the route did not read ("Wrong format" is shown once per run). A target
// that cannot be written is reported as it fails and the others are still
// written; the run ends with one message listing every target not written.
class ConversionRun {
 public:
  // `rows`: the target table's rows that the run writes, in the table's
  // order (every row of the table, or a table of the tests' own).
  ConversionRun(const FolderSet& folders, const AirportDatabase& airports, FrontEnd& front,
                std::span<const TargetDescriptor> rows = AllTargets());

  RunOutcome Run(const RouteSource& source, const RunChoices& choices);
  // The same for the route finder's text as it came in (a file's bytes, the
  // clipboard's text), decoded by InputToUtf8.
  RunOutcome Run(std::string_view route_text, const RunChoices& choices);

  // The waypoint table of the reading a writer of the run used last (the
  // window's grid, also while the run goes on); it stays the same object.
  const WaypointTable& Waypoints() const { return shown_.waypoints; }
  const RouteHeader& Header() const { return shown_.header; }

  // The folder a writer uses during a run under `choices` (for the window's
  // save dialog and for the tests).
  std::filesystem::path SimulatorDir(const RunChoices& choices) const;
  std::filesystem::path PlanFolder(const RunChoices& choices) const;

 private:
  // One run's steps: the readings, the folders and the writes of each row.
  class Steps;

  // Makes the reading `mode` of the run's route the shown one, reading the
  // source only the first time in the run; the cruise altitude the user
  // chose replaces the route's.
  const RouteReading& Show(const RouteSource& source, ParseMode mode, const RunChoices& choices);

  const FolderSet& folders_;
  const AirportDatabase& airports_;
  FrontEnd& front_;
  std::span<const TargetDescriptor> rows_;
  // The readings of this run: the one shown (used last) and the others,
  // which wait for their next use.
  RouteReading shown_;
  std::optional<ParseMode> shown_mode_;
  std::map<ParseMode, RouteReading> kept_;
};

}  // namespace korvanta

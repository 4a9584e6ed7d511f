#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/safe_file_name.hpp"
#include "run/conversion_run.hpp"
#include "settings/ini_profile.hpp"

namespace korvanta {

// Where a writer puts its files: a settings key of section "Main" (empty when
// the writer has none) or, when it reads "nic", a folder below the simulator
// folder of the run.
struct FolderRule {
  std::string_view key{};
  std::string_view below_simulator{};  // "/"-separated; empty with a key: "." (the current folder)
  bool drop_trailing_separator = false;
  bool create_one_level = false;    // made when missing (one level; a failure is ignored)
  std::string_view fallback_key{};  // read when `key` is not set, before the folders below
  bool else_personal = false;       // without a key's folder: PersonalDir, not the simulator's
};

// Which name a writer's file gets when no "/T" dialog chose it.
enum class Naming {
  kFixed,     // file_name(header, "")
  kNumbered,  // file_name(header, "001") ... "998", the first this run can take
};

// Which text the status line shows after the writer.
enum class StatusRule {
  kFullPath,                 // "File " + path + " created"
  kBareName,                 // the automatic name without folder, or the dialog's path
  kBeforeWriteUnlessDialog,  // set before writing, with folder; none after a dialog
};

// The "/T" save dialog of a writer: its title names the target, and its one
// filter and default extension are the target's own, so that a name typed
// without an extension gets the one the target loads.
struct SaveDialogText {
  std::string_view title;
  std::string_view filter_name;
  std::string_view extension;  // without the dot
};

// What a writer's render function is given.
struct WriterInput {
  const RouteHeader& header;
  const WaypointTable& waypoints;
  const RunChoices& choices;
};

enum class SlotStep { kContinue, kStop };

// The shared steps of a run that every writer slot uses.
struct SlotContext {
  ConversionRun& run;
  const RunChoices& choices;
  RunOutcome& outcome;
  IniProfile settings;
  std::filesystem::path simulator_dir;  // fsx_dir while FSX is selected, else fs9_dir
  std::filesystem::path plan_folder;    // fsx_plan_folder while FSX is selected, else plan_folder
  const RouteSource& source;

  const FolderSet& Folders() const { return run.folders_; }
  FrontEnd& Front() const { return run.front_; }
  // The route in the reading of the running writer (see Read).
  const WaypointTable& Waypoints() const { return run.shown_.waypoints; }
  const RouteHeader& Header() const { return run.shown_.header; }
  const AirportDatabase& Airports() const { return run.airports_; }

  // Makes the reading `mode` the one Header() and Waypoints() give; false
  // when the route did not read. The outcome records why, and "Wrong format"
  // is shown once per run. The run calls it before each writer.
  bool Read(ParseMode mode);
  std::filesystem::path TargetFolder(const FolderRule& rule) const;
  // The "/T" save dialog, when the run offers it; the current folder is set
  // back to app_dir afterwards.
  std::optional<std::filesystem::path> DialogChoice(const std::filesystem::path& folder,
                                                    const SaveDialogText& dialog);
  // The whole-file write; the front end hears of every file written.
  void Write(const std::filesystem::path& file, std::string_view bytes,
             bool create_folders = false);
  void Status(const std::string& text);
  // A status naming `file` before it is written (see FrontEnd).
  void StatusBeforeWrite(const std::string& text, const std::filesystem::path& file);
  // Shows a stop message; the run ends without its ".rts" copy.
  SlotStep Stop(std::string_view message);

  bool wrong_format_shown = false;
};

// One writer of the run, as data. Writers that follow the shared pattern set
// the fields; writers with their own flow (several files, a store to merge)
// set `custom` instead. The run has read the route in `mode` before either.
struct WriterSlot {
  Target target;
  ParseMode mode = ParseMode::kText;
  FolderRule folder;
  std::optional<SaveDialogText> dialog;  // set when the writer offers the "/T" dialog
  Naming naming = Naming::kFixed;
  // The file name in the target folder; `number` is "001" ... for numbered
  // writers, empty otherwise. The number and the extension are the name's
  // kept end, so that a shortened name still has them.
  std::function<RouteFileName(const RouteHeader&, std::string_view number)> file_name;
  std::function<std::string(const WriterInput&)> render;
  StatusRule status = StatusRule::kFullPath;
  std::function<SlotStep(SlotContext&, const WriterSlot&)> custom;
};

// Every writer slot in run order; the plan, ISG route and KML step (FS2004 plan text, FSX
// plan, Google Earth) comes first.
const std::vector<WriterSlot>& WriterSlots();

// Whether the target's writer exists under the selection (the command line
// refuses the others as unknown).
bool TargetAvailable(Target target, Simulator simulator);

// Whether the slot runs under the choices (the plan, ISG route and KML step runs when the
// FS2004 box or the Google Earth box is ticked).
bool SlotTicked(const WriterSlot& slot, const RunChoices& choices);

// The shared pattern: folder, name, write, status.
SlotStep RunStandardSlot(SlotContext& ctx, const WriterSlot& slot);

}  // namespace korvanta

#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "files/safe_file_name.hpp"
#include "run/conversion_run.hpp"
#include "run/targets.hpp"
#include "settings/ini_profile.hpp"

namespace korvanta {

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
  // or a plan's read error is shown once per run. The run calls it before each writer.
  bool Read(ParseMode mode);
  std::filesystem::path TargetFolder(const FolderRule& rule) const;
  // The "/T" save dialog (for runs that offer it), offering `automatic`: the
  // file this run writes when the dialog is cancelled.
  std::optional<std::filesystem::path> DialogChoice(const std::filesystem::path& folder,
                                                    const SaveDialogText& dialog,
                                                    const std::filesystem::path& automatic);
  // The whole-file write; the front end hears of every file written.
  void Write(const std::filesystem::path& file, std::string_view bytes,
             bool create_folders = false);
  // Records `file` as written by this run and tells the front end.
  void Written(const std::filesystem::path& file);
  void Status(const std::string& text);
  // A status naming `file` before it is written (see FrontEnd).
  void StatusBeforeWrite(const std::string& text, const std::filesystem::path& file);
  // Ends the running target with `message` as its failure; the run goes on
  // with the next target.
  SlotStep Stop(std::string_view message);
  // Records the target of `caption` as not written, and reports it at once.
  void Fail(const std::string& caption, const std::string& message);
  // Runs one target's part of a slot; an exception out of it is that
  // target's failure.
  void Attempt(const std::string& caption, const std::function<void()>& step);

  bool wrong_format_shown = false;
  std::string stop_message{};
};

// Whether the slot runs under the choices (the plan, ISG route and KML step runs when the
// FS2004 box or the Google Earth box is ticked).
bool SlotTicked(const TargetDescriptor& slot, const RunChoices& choices);

// The box's caption under the selection, as text without its mnemonic ("FSX"
// for the FS2004 box while FSX is selected).
std::string CaptionUnder(const TargetDescriptor& target, Simulator simulator);

// The shared pattern: folder, name, write, status. The run has read the
// route in the target's reading before.
SlotStep RunStandardSlot(SlotContext& ctx, const TargetDescriptor& slot);

}  // namespace korvanta

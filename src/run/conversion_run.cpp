#include "run/conversion_run.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/numbered_file.hpp"
#include "files/plan_store.hpp"
#include "files/safe_file_name.hpp"
#include "io/utf8_path.hpp"
#include "navdata/kln_navigation.hpp"
#include "run/folder_rows.hpp"
#include "run/route_check.hpp"
#include "settings/ini_profile.hpp"
#include "text/cp1252.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kRouteTextName = "route.txt";
constexpr std::string_view kRouteCopyCaption = "Route copy";
constexpr std::string_view kRouteTextCopyCaption = "Route text copy";
constexpr std::string_view kNavigationLoadCaption = "TU154 Routes ..... ";

// Shows the navigation load's progress while it lives; the empty text hides
// it again, also when the load fails.
class ProgressPanel {
 public:
  explicit ProgressPanel(FrontEnd& front) : front_(front) { Show(0); }
  ~ProgressPanel() { front_.SetProgress(""); }
  ProgressPanel(const ProgressPanel&) = delete;
  ProgressPanel& operator=(const ProgressPanel&) = delete;

  void Show(std::size_t count) {
    front_.SetProgress(fmt::format("{}{}", kNavigationLoadCaption, count));
    front_.ProcessPendingEvents();
  }

 private:
  FrontEnd& front_;
};

// Whether `path` is a folder; a folder that cannot be looked at is not one.
bool IsFolder(const std::filesystem::path& path) {
  std::error_code error;
  return std::filesystem::is_directory(path, error);
}

// The files a row wrote, by name: "A" or "A to B" (the first and the last).
std::string FileSpan(const std::vector<std::filesystem::path>& files) {
  const std::string first = ShownPath(files.front().filename());
  if (files.size() == 1)
    return first;
  return first + " to " + ShownPath(files.back().filename());
}

}  // namespace

// The steps of one run: the readings of the route, the folders, the writes
// and the reports of each row.
class ConversionRun::Steps {
 public:
  Steps(ConversionRun& run, const RunChoices& choices, RunOutcome& outcome,
        const RouteSource& source)
      : run_(run),
        choices_(choices),
        outcome_(outcome),
        source_(source),
        settings_(run.folders_.SettingsFile()),
        simulator_dir_(run.SimulatorDir(choices)),
        plan_folder_(run.PlanFolder(choices)),
        simulator_dir_named_(choices.simulator == Simulator::kFsx ? run.folders_.fsx_dir_named
                                                                  : run.folders_.fs9_dir_named),
        plan_folder_named_(choices.simulator != Simulator::kFsx && run.folders_.plan_folder_named) {
  }

  // Makes the reading `mode` the one the run shows; false when the route did
  // not read. The outcome records why, and "Wrong format" or a plan's read
  // error is shown once per run.
  bool Read(ParseMode mode);
  // The row's files: its folder, the names, the writes and the status texts.
  void WriteRow(const TargetDescriptor& row);
  // Runs one target's part of the run; an exception out of it is that
  // target's failure.
  void Attempt(const std::string& caption, const std::function<void()>& step);
  // Records the target of `caption` as not written, and reports it at once.
  void Fail(const std::string& caption, const std::string& message);
  // The whole-file write; the front end hears of every file written.
  void Write(const std::filesystem::path& file, std::string_view bytes);
  // Records a file written whole and tells the front end.
  void Written(const std::filesystem::path& file);

  const std::filesystem::path& SimulatorDir() const { return simulator_dir_; }
  // Whether the row's folder is there to write into: a folder that was only
  // looked for and is missing (or not set) means the target is not
  // installed. A folder the user named counts as there: its absence is the
  // row's failure.
  bool Installed(const TargetDescriptor& row) const;
  // Whether the run's simulator folder exists. When it does not, a folder
  // the user named is a mistake (RunError); one only looked for means the
  // simulator is not installed (false).
  bool SimulatorInstalled() const;
  // Makes `folder` when it is missing, one level inside a folder that
  // exists. A folder that an option or a setting names is never made: its
  // absence is a failure (RunError), as is a parent that does not exist.
  void MakeFolder(const std::filesystem::path& folder, bool named) const;

 private:
  FrontEnd& Front() const { return run_.front_; }
  std::filesystem::path TargetFolder(const TargetDescriptor& row) const;
  std::string SimulatorMissing() const;
  std::filesystem::path FolderOf(const TargetFile& file,
                                 const std::filesystem::path& target_folder) const;
  // The path of the row's own file (dialog, automatic or numbered name); for
  // a numbered name, the number free now, which the write may pass over.
  std::filesystem::path OwnFilePath(const TargetDescriptor& row,
                                    const std::filesystem::path& folder, bool& chosen);
  // Writes the row's own numbered file under the first number free once its
  // content is complete, and returns the name it took; `shown` is the name a
  // status already gave, corrected when another program took it meanwhile.
  std::filesystem::path WriteNumberedFile(const TargetDescriptor& row,
                                          const std::filesystem::path& folder,
                                          std::string_view bytes,
                                          const std::filesystem::path& shown, bool status_shown);
  // Writes, merges or removes one of the row's files, sets `path` to it and
  // shows its status; false when the file was skipped or there was nothing
  // to remove.
  bool PutFile(const TargetDescriptor& row, const TargetFile& file,
               const std::filesystem::path& folder, const std::filesystem::path& own_file,
               bool chosen, std::filesystem::path& path);
  // False when a file to remove was not there.
  bool WriteFile(const TargetFile& file, const std::filesystem::path& path);
  void Status(const std::string& text);

  ConversionRun& run_;
  const RunChoices& choices_;
  RunOutcome& outcome_;
  const RouteSource& source_;
  IniProfile settings_;
  std::filesystem::path simulator_dir_;  // fsx_dir while FSX is selected, else fs9_dir
  std::filesystem::path plan_folder_;    // fsx_plan_folder while FSX is selected, else plan_folder
  bool simulator_dir_named_;
  bool plan_folder_named_;
  bool wrong_format_shown_ = false;
  std::map<std::string, std::string, std::less<>> run_texts_;  // see WriterInput
};

ConversionRun::ConversionRun(const FolderSet& folders, const AirportDatabase& airports,
                             FrontEnd& front, std::span<const TargetDescriptor> rows)
    : folders_(folders), airports_(airports), front_(front), rows_(rows) {}

std::filesystem::path ConversionRun::SimulatorDir(const RunChoices& choices) const {
  return choices.simulator == Simulator::kFsx ? folders_.fsx_dir : folders_.fs9_dir;
}

std::filesystem::path ConversionRun::PlanFolder(const RunChoices& choices) const {
  return choices.simulator == Simulator::kFsx ? folders_.fsx_plan_folder : folders_.plan_folder;
}

RunOutcome ConversionRun::Run(std::string_view route_text, const RunChoices& choices) {
  return Run(RouteTextSource(InputToUtf8(route_text)), choices);
}

RunOutcome ConversionRun::Run(const RouteSource& source, const RunChoices& choices) {
  RunOutcome outcome;
  shown_ = RouteReading{};
  shown_mode_.reset();
  kept_.clear();

  // Every writer takes its coordinates from the text reading: a bad one, or
  // a text cut off before its destination, refuses the whole route before any file, "route.txt"
  // included, is touched. A route that does not read is left to the writers' own report.
  if (const RouteReading& reading = Show(source, ParseMode::kText, choices); reading.Parsed()) {
    if (const std::optional<std::string> fault =
            reading.fault ? reading.fault : RouteFault(reading.waypoints)) {
      front_.ShowMessage(*fault);
      outcome.end = RunEnd::kRouteRefused;
      return outcome;
    }
  }
  // Every reading of a source tells the same notes.
  const std::vector<std::string> notes = shown_.notes;

  // The runway the user gives comes before the one the source names (asked
  // after the first reading, so that a plan file is read once).
  RunChoices run_choices = choices;
  if (run_choices.runway.empty())
    run_choices.runway = source.Runway().value_or("");
  Steps steps(*this, run_choices, outcome, source);

  // The route text is kept as "route.txt", in Windows-1252 as always. It is
  // no target: a copy that cannot be written is reported like one, and every
  // target is still written.
  std::optional<std::string> route_bytes;
  const std::filesystem::path route_file = folders_.app_dir / kRouteTextName;
  bool route_file_written = false;
  if (std::optional<std::string> route_text = source.RouteText()) {
    route_bytes = Utf8ToCp1252(*route_text);
    route_text.reset();
    steps.Attempt(std::string(kRouteTextCopyCaption), [&] {
      steps.MakeFolder(folders_.app_dir, true);
      WriteWholeFile(route_file, *route_bytes);
      route_file_written = true;
    });
  }

  bool writer_read = false;
  // Each box's place in the run goes to the target it stands for under the
  // selection (the FSX plan takes the FS2004 plan's place).
  for (const TargetDescriptor& box : rows_) {
    if (static_cast<std::size_t>(box.target) >= kTargetCount)
      continue;  // written in the place of the box that stands for it
    const Target target = TargetUnder(box.target, choices.simulator);
    const auto row = std::find_if(rows_.begin(), rows_.end(), [target](const auto& candidate) {
      return candidate.target == target;
    });
    if (row == rows_.end() || !choices.Writes(target))
      continue;
    if (choices.installed_only && !steps.Installed(*row)) {
      outcome.not_installed.push_back(CaptionUnder(*row, choices.simulator));
      continue;
    }
    writer_read = true;
    // A route that did not read leaves the row nothing to write.
    if (!steps.Read(row->mode))
      continue;
    steps.Attempt(CaptionUnder(*row, choices.simulator), [&] { steps.WriteRow(*row); });
  }

  // The route-text copy is named after this run's route. When no row read
  // the route, it is read once for the name; a route that does not read gets
  // no copy.
  if (route_bytes && (writer_read ? shown_.Parsed() : steps.Read(ParseMode::kText))) {
    steps.Attempt(std::string(kRouteCopyCaption), [&] {
      // A simulator that is not installed gets no copy.
      if (!steps.SimulatorInstalled())
        return;
      const std::filesystem::path routes = steps.SimulatorDir() / "routes";
      steps.MakeFolder(routes, false);
      const std::filesystem::path rts =
          routes /
          SafeFileName(shown_.header.departure_icao + shown_.header.destination_icao, ".rts");
      steps.Write(rts, *route_bytes);
      if (route_file_written)
        KeepFileDate(route_file, rts);
    });
  }

  for (const std::string& note : notes)
    front_.ShowNote(note);
  if (!outcome.failures.empty()) {
    std::string summary(kNotWrittenHeading);
    std::vector<std::string> captions;
    for (const TargetFailure& failure : outcome.failures) {
      summary += "\n" + failure.Line();
      captions.push_back(failure.caption);
    }
    front_.ShowNotWritten(summary, captions);
    outcome.end = RunEnd::kNotWritten;
  }
  return outcome;
}

const RouteReading& ConversionRun::Show(const RouteSource& source, ParseMode mode,
                                        const RunChoices& choices) {
  if (shown_mode_ == mode)
    return shown_;
  // Moved, never copied: the shown table keeps its place for the grid, and a
  // large route is held once per reading.
  if (shown_mode_)
    kept_[*shown_mode_] = std::move(shown_);
  if (const auto kept = kept_.find(mode); kept != kept_.end()) {
    shown_ = std::move(kept->second);
    kept_.erase(kept);
  } else {
    shown_ = source.Read({mode, choices.super80}, airports_);
    // Every target writes the cruise altitude from the header.
    if (shown_.Parsed() && choices.cruise_altitude)
      shown_.header.cruise_altitude = *choices.cruise_altitude;
  }
  shown_mode_ = mode;
  return shown_;
}

bool ConversionRun::Steps::Read(ParseMode mode) {
  const RouteReading& reading = run_.Show(source_, mode, choices_);
  if (reading.Parsed())
    return true;
  outcome_.parse_failed = true;
  outcome_.last_failure = reading.result;
  outcome_.failure_message = reading.message;
  // Text that is no route, or a plan that does not read, says so once: every
  // reading of it fails alike.
  const bool wrong_format = reading.result == ParseResult::kWrongFormat;
  if ((wrong_format || reading.result == ParseResult::kUnreadable) && !wrong_format_shown_) {
    wrong_format_shown_ = true;
    Front().ShowMessage(wrong_format ? std::string(kWrongFormat) : reading.message);
  }
  return false;
}

std::filesystem::path ConversionRun::Steps::TargetFolder(const TargetDescriptor& row) const {
  const FolderRule& rule = row.folder;
  const FolderInUse in_use = RowFolder(row, run_.folders_, settings_, choices_.simulator);
  if (!in_use.Set())
    throw RunError(FolderNotSetMessage(rule));
  std::filesystem::path folder = in_use.folder;
  if (rule.create_one_level) {
    if (!in_use.Named() && !IsFolder(simulator_dir_))
      throw RunError(SimulatorMissing());
    MakeFolder(folder, in_use.Named());
  } else if (in_use.Named() && rule.files_in == FileFolder::kTarget && !IsFolder(folder)) {
    throw RunError(fmt::format("the folder {} does not exist", ShownPath(folder)));
  }
  return folder;
}

bool ConversionRun::Steps::Installed(const TargetDescriptor& row) const {
  const FolderRule& rule = row.folder;
  if (rule.needs_simulator)
    return IsFolder(simulator_dir_) || simulator_dir_named_;
  const FolderInUse in_use = RowFolder(row, run_.folders_, settings_, choices_.simulator);
  if (!in_use.Set())
    return false;
  if (in_use.Named())
    return true;
  return IsFolder(rule.create_one_level ? in_use.folder.parent_path() : in_use.folder);
}

std::string ConversionRun::Steps::SimulatorMissing() const {
  return fmt::format("the {} folder {} does not exist",
                     choices_.simulator == Simulator::kFsx ? "FSX" : "FS2004",
                     ShownPath(simulator_dir_));
}

bool ConversionRun::Steps::SimulatorInstalled() const {
  if (IsFolder(simulator_dir_))
    return true;
  if (simulator_dir_named_)
    throw RunError(SimulatorMissing());
  return false;
}

void ConversionRun::Steps::MakeFolder(const std::filesystem::path& folder, bool named) const {
  if (IsFolder(folder))
    return;
  const std::filesystem::path parent = folder.parent_path();
  if (named || (!parent.empty() && !IsFolder(parent)))
    throw RunError(fmt::format("the folder {} does not exist", ShownPath(named ? folder : parent)));
  std::error_code error;
  std::filesystem::create_directory(folder, error);
  if (error) {
    throw RunError(
        fmt::format("Cannot create the folder {}: {}", ShownPath(folder), error.message()));
  }
}

std::filesystem::path ConversionRun::Steps::FolderOf(
    const TargetFile& file, const std::filesystem::path& target_folder) const {
  std::filesystem::path folder;
  switch (file.folder) {
    case FileFolder::kTarget:
      folder = target_folder;
      break;
    case FileFolder::kSimulator:
      folder = simulator_dir_;
      break;
    case FileFolder::kPlanFolder:
    case FileFolder::kDocuments:
      // Never the current folder: a plan folder below a documents folder that
      // is not set is not set either.
      if (run_.folders_.documents_dir.empty() &&
          !(file.folder == FileFolder::kPlanFolder && plan_folder_named_)) {
        throw RunError(FolderNotSetMessage(FolderRule{.files_in = FileFolder::kDocuments}));
      }
      folder = file.folder == FileFolder::kPlanFolder ? plan_folder_ : run_.folders_.documents_dir;
      break;
    case FileFolder::kProgram:
      folder = run_.folders_.app_dir;
      break;
  }
  if (!file.below.empty())
    folder /= PathFromUtf8(file.below).make_preferred();
  return folder;
}

std::filesystem::path ConversionRun::Steps::OwnFilePath(const TargetDescriptor& row,
                                                        const std::filesystem::path& folder,
                                                        bool& chosen) {
  const auto numbered_name = [&](std::string_view number) {
    return row.file_name(run_.shown_.header, number);
  };
  const auto automatic_name = [&] {
    const RouteFileName name = row.file_name(run_.shown_.header, "");
    return SafeFileName(name.text, name.kept_end);
  };
  if (row.dialog && choices_.file_dialog) {
    // The dialog offers the name this run takes when it is cancelled (for a
    // numbered file, the number free now).
    std::filesystem::path automatic;
    if (row.naming == Naming::kNumbered)
      automatic = NumberedFile::FirstFree(folder, numbered_name).value_or(automatic);
    else
      automatic = automatic_name();
    Front().ProcessPendingEvents();
    SaveDialogRequest request;
    request.folder = folder;
    request.title = row.dialog->title;
    request.filter_name = row.dialog->filter_name;
    request.extension = row.dialog->extension;
    request.file_name = PathToUtf8(automatic.filename());
    if (std::optional<std::filesystem::path> answer = Front().ChooseSaveFile(request)) {
      chosen = true;
      return *answer;
    }
  }
  if (row.naming == Naming::kFixed)
    return folder / automatic_name();
  // The number free now, shown before the write; the write takes the first
  // free number once the content is complete.
  const std::optional<std::filesystem::path> free = NumberedFile::FirstFree(folder, numbered_name);
  if (!free)
    throw RunError(std::string(kTooManyFiles));
  return *free;
}

void ConversionRun::Steps::WriteRow(const TargetDescriptor& row) {
  if (row.check_choices)
    row.check_choices(choices_);
  const std::filesystem::path folder = TargetFolder(row);

  // The row's own file is named before it is made: the dialog comes first,
  // and a numbered name is taken before the bytes are written.
  bool chosen = false;
  std::filesystem::path own_file;
  if (row.file_name) {
    const bool status_before_write = row.status == StatusRule::kBeforeWriteUnlessDialog;
    own_file = OwnFilePath(row, folder, chosen);
    if (status_before_write && !chosen) {
      Front().SetStatusBeforeWrite("File " + ShownPath(own_file) + " created", own_file);
      Front().ProcessPendingEvents();
    }
  }

  KlnNavigationPoints navigation_points;
  if (row.reads_navigation) {
    ProgressPanel panel(Front());
    LoadKlnNavigation(folder, navigation_points, [&](std::size_t count) { panel.Show(count); });
  }
  const TargetFiles files = row.render(WriterInput{run_.shown_.header, run_.shown_.waypoints,
                                                   choices_, &navigation_points, &run_texts_});

  // The row's files written whole so far, for a row whose failure part-way
  // names them.
  std::vector<std::filesystem::path> written_by_row;
  // The removals are the row's earlier files in order: the first that is
  // not there ends them, so that a long series costs only what is there.
  bool removals_ended = false;
  try {
    for (const TargetFile& file : files) {
      const bool removal = file.write == FileWrite::kRemoved;
      if (removal && removals_ended)
        continue;
      std::filesystem::path path;
      const bool put = PutFile(row, file, folder, own_file, chosen, path);
      removals_ended = removals_ended || (removal && !put);
      if (put && file.write == FileWrite::kWhole)
        written_by_row.push_back(std::move(path));
    }
  } catch (const std::exception& error) {
    if (!row.names_files_written_before_failure || written_by_row.empty())
      throw;
    throw RunError(
        fmt::format("{}; written before the failure: {}", error.what(), FileSpan(written_by_row)));
  }
}

bool ConversionRun::Steps::PutFile(const TargetDescriptor& row, const TargetFile& file,
                                   const std::filesystem::path& folder,
                                   const std::filesystem::path& own_file, bool chosen,
                                   std::filesystem::path& path) {
  // Named as it is written: a name that cannot be made leaves the files
  // before it written.
  path = file.name ? FolderOf(file, folder) /
                         SafeFileName(file.name->text, file.name->kept_end, file.characters)
                   : own_file;
  std::error_code error;
  if (file.only_into_existing_folder && !std::filesystem::is_directory(path.parent_path(), error))
    return false;
  if (file.needs_fsx_plan_folder && !run_.folders_.fsx_plan_folder_found) {
    throw RunError("FSX plan folder not found: " + ShownPath(run_.folders_.fsx_plan_folder));
  }
  const bool numbered = !file.name && !chosen && row.naming == Naming::kNumbered;
  if (numbered) {
    path = WriteNumberedFile(row, folder, file.bytes, path,
                             row.status == StatusRule::kBeforeWriteUnlessDialog);
  } else if (!WriteFile(file, path)) {
    return false;  // nothing of an earlier run to remove
  }

  const bool removed = file.write == FileWrite::kRemoved;
  const std::string_view done = removed ? "removed" : "created";
  const StatusRule status = file.name ? file.status : row.status;
  if (!file.status_text.empty()) {
    Status(file.status_text);
  } else if (status == StatusRule::kFullPath) {
    Status(fmt::format("File {} {}", ShownPath(path), done));
  } else if (status == StatusRule::kBareName) {
    Status(
        fmt::format("File {} {}", ShownPath(chosen && !file.name ? path : path.filename()), done));
  }
  if (file.opened)
    Front().OpenDocument(path);
  return true;
}

std::filesystem::path ConversionRun::Steps::WriteNumberedFile(const TargetDescriptor& row,
                                                              const std::filesystem::path& folder,
                                                              std::string_view bytes,
                                                              const std::filesystem::path& shown,
                                                              bool status_shown) {
  const std::optional<std::filesystem::path> taken = NumberedFile::Write(
      folder, [&](std::string_view number) { return row.file_name(run_.shown_.header, number); },
      bytes);
  if (!taken)
    throw RunError(std::string(kTooManyFiles));
  // Another program took the number shown meanwhile.
  if (status_shown && *taken != shown)
    Front().SetStatusBeforeWrite("File " + ShownPath(*taken) + " created", *taken);
  Written(*taken);
  return *taken;
}

bool ConversionRun::Steps::WriteFile(const TargetFile& file, const std::filesystem::path& path) {
  switch (file.write) {
    case FileWrite::kWhole:
      if (file.create_folder)
        MakeFolder(path.parent_path(),
                   file.folder == FileFolder::kPlanFolder && plan_folder_named_);
      Write(path, file.bytes);
      break;
    case FileWrite::kMergedIntoStore:
      FileIntoPlanStore(path, file.bytes, file.merge,
                        [&](const std::filesystem::path& written, std::string_view bytes) {
                          Write(written, bytes);
                        });
      break;
    case FileWrite::kRemoved: {
      // Only a file of the row's own: never a folder, a link or a device
      // that has its name.
      RefuseUnlessRegularFile(path);
      std::error_code error;
      const bool removed = std::filesystem::remove(path, error);
      if (error)
        throw RunError(fmt::format("Cannot remove {}: {}", ShownPath(path), error.message()));
      return removed;
    }
  }
  return true;
}

void ConversionRun::Steps::Write(const std::filesystem::path& file, std::string_view bytes) {
  WriteWholeFile(file, bytes);
  Written(file);
}

void ConversionRun::Steps::Written(const std::filesystem::path& file) {
  outcome_.written.push_back(file);
  Front().FileWritten(file);
}

void ConversionRun::Steps::Status(const std::string& text) {
  Front().SetStatus(text);
  Front().ProcessPendingEvents();
}

void ConversionRun::Steps::Fail(const std::string& caption, const std::string& message) {
  const TargetFailure& failure = outcome_.failures.emplace_back(TargetFailure{caption, message});
  Front().TargetFailed(failure.Line());
  Front().ProcessPendingEvents();
}

void ConversionRun::Steps::Attempt(const std::string& caption, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& error) {
    // RunError carries the message to show; anything else (a file system
    // error, memory) is reported the same way.
    Fail(caption, error.what());
  }
}

}  // namespace korvanta

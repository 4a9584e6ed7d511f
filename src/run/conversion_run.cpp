#include "run/conversion_run.hpp"

#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/numbered_file.hpp"
#include "files/safe_file_name.hpp"
#include "io/utf8_path.hpp"
#include "run/route_check.hpp"
#include "run/writer_slots.hpp"
#include "text/cp1252.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kRouteTextName = "route.txt";
constexpr std::string_view kRouteCopyCaption = "Route copy";

// The caption of the box that stands for the slot's files in a report: its
// own, or the ticked box whose file it writes (Google Earth alone).
std::string ReportedTarget(const TargetDescriptor& slot, const RunChoices& choices) {
  const TargetDescriptor* shown = &slot;
  if (!choices.Ticked(slot.target)) {
    for (const TargetDescriptor& target : Targets()) {
      if (target.written_by == slot.target && choices.Ticked(target.target)) {
        shown = &target;
        break;
      }
    }
  }
  return CaptionUnder(*shown, choices.simulator);
}

}  // namespace

ConversionRun::ConversionRun(const FolderSet& folders, const AirportDatabase& airports,
                             FrontEnd& front)
    : folders_(folders), airports_(airports), front_(front) {}

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

  // Every writer takes its coordinates from the text reading: a bad one
  // refuses the whole route before any file, "route.txt" included, is
  // touched. A route that does not read is left to the writers' own report.
  if (const RouteReading& reading = Show(source, ParseMode::kText, choices.super80);
      reading.Parsed()) {
    if (const std::optional<std::string> fault = RouteFault(reading.waypoints)) {
      front_.ShowMessage(*fault);
      outcome.end = RunEnd::kRouteRefused;
      return outcome;
    }
  }

  // The runway the user gives comes before the one the source names (asked
  // after the first reading, so that a plan file is read once).
  RunChoices run_choices = choices;
  if (run_choices.runway.empty())
    run_choices.runway = source.Runway().value_or("");
  SlotContext ctx{*this,
                  run_choices,
                  outcome,
                  IniProfile(folders_.SettingsFile()),
                  SimulatorDir(choices),
                  PlanFolder(choices),
                  source};

  std::optional<std::string> route_bytes;
  const std::filesystem::path route_file = folders_.app_dir / kRouteTextName;
  try {
    // The route text is kept as "route.txt", in Windows-1252 as always.
    if (std::optional<std::string> route_text = source.RouteText()) {
      route_bytes = Utf8ToCp1252(*route_text);
      route_text.reset();
      WriteWholeFile(route_file, *route_bytes);
    }
  } catch (const std::exception& e) {
    front_.ShowMessage(e.what());
    outcome.end = RunEnd::kFailed;
    return outcome;
  }

  bool writer_read = false;
  for (const TargetDescriptor& slot : Targets()) {
    if (!SlotTicked(slot, choices))
      continue;
    writer_read = true;
    // A route that did not read leaves the writer nothing to write.
    if (!ctx.Read(slot.mode))
      continue;
    ctx.Attempt(ReportedTarget(slot, choices), [&] {
      const SlotStep step = slot.custom ? slot.custom(ctx, slot) : RunStandardSlot(ctx, slot);
      if (step == SlotStep::kStop)
        throw RunError(ctx.stop_message);
    });
  }

  // The route-text copy is named after this run's route. When no writer
  // read the route, it is read once for the name; a route that does not
  // read gets no copy.
  if (route_bytes && (writer_read ? shown_.Parsed() : ctx.Read(ParseMode::kText))) {
    try {
      const std::filesystem::path rts =
          ctx.simulator_dir / "routes" /
          SafeFileName(shown_.header.departure_icao + shown_.header.destination_icao, ".rts");
      ctx.Write(rts, *route_bytes, true);
      KeepFileDate(route_file, rts);
    } catch (const std::exception& e) {
      ctx.Fail(std::string(kRouteCopyCaption), e.what());
    }
  }

  if (!outcome.failures.empty()) {
    std::string summary(kNotWrittenHeading);
    for (const TargetFailure& failure : outcome.failures)
      summary += "\n" + failure.Line();
    front_.ShowMessage(summary);
    outcome.end = RunEnd::kNotWritten;
  }
  return outcome;
}

const RouteReading& ConversionRun::Show(const RouteSource& source, ParseMode mode, bool super80) {
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
    shown_ = source.Read({mode, super80}, airports_);
  }
  shown_mode_ = mode;
  return shown_;
}

bool SlotContext::Read(ParseMode mode) {
  const RouteReading& reading = run.Show(source, mode, choices.super80);
  if (reading.Parsed())
    return true;
  outcome.parse_failed = true;
  outcome.last_failure = reading.result;
  outcome.failure_message = reading.message;
  // Text that is no route, or a plan that does not read, says so once: every
  // reading of it fails alike.
  const bool wrong_format = reading.result == ParseResult::kWrongFormat;
  if ((wrong_format || reading.result == ParseResult::kUnreadable) && !wrong_format_shown) {
    wrong_format_shown = true;
    Front().ShowMessage(wrong_format ? std::string(kWrongFormat) : reading.message);
  }
  return false;
}

std::filesystem::path SlotContext::TargetFolder(const FolderRule& rule) const {
  std::filesystem::path folder;
  std::optional<std::string> key;
  if (!rule.key.empty())
    key = FolderSetting(settings, rule.key);
  if (!key && !rule.fallback_key.empty())
    key = FolderSetting(settings, rule.fallback_key);
  if (key) {
    folder = PathFromUtf8(*key);
  } else if (rule.else_documents) {
    folder = Folders().documents_dir;
  } else if (rule.below_simulator.empty()) {
    folder = ".";
  } else {
    folder = simulator_dir / PathFromUtf8(rule.below_simulator).make_preferred();
  }
  if (rule.create_one_level) {
    std::error_code ignored;
    std::filesystem::create_directory(folder, ignored);
  }
  if (rule.drop_trailing_separator)
    folder = WithoutTrailingSeparator(folder);
  return folder;
}

std::optional<std::filesystem::path> SlotContext::DialogChoice(
    const std::filesystem::path& folder, const SaveDialogText& dialog,
    const std::filesystem::path& automatic) {
  Front().ProcessPendingEvents();
  SaveDialogRequest request;
  request.folder = folder;
  request.title = dialog.title;
  request.filter_name = dialog.filter_name;
  request.extension = dialog.extension;
  request.file_name = PathToUtf8(automatic.filename());
  return Front().ChooseSaveFile(request);
}

void SlotContext::Write(const std::filesystem::path& file, std::string_view bytes,
                        bool create_folders) {
  WriteWholeFile(file, bytes, create_folders);
  Written(file);
}

void SlotContext::Written(const std::filesystem::path& file) {
  outcome.written.push_back(file);
  Front().FileWritten(file);
}

void SlotContext::StatusBeforeWrite(const std::string& text, const std::filesystem::path& file) {
  Front().SetStatusBeforeWrite(text, file);
  Front().ProcessPendingEvents();
}

void SlotContext::Status(const std::string& text) {
  Front().SetStatus(text);
  Front().ProcessPendingEvents();
}

SlotStep SlotContext::Stop(std::string_view message) {
  stop_message = message;
  return SlotStep::kStop;
}

void SlotContext::Fail(const std::string& caption, const std::string& message) {
  const TargetFailure& failure = outcome.failures.emplace_back(TargetFailure{caption, message});
  Front().TargetFailed(failure.Line());
  Front().ProcessPendingEvents();
}

void SlotContext::Attempt(const std::string& caption, const std::function<void()>& step) {
  try {
    step();
  } catch (const std::exception& e) {
    // RunError carries the message to show; anything else (a file system
    // error, memory) is reported the same way.
    Fail(caption, e.what());
  }
}

SlotStep RunStandardSlot(SlotContext& ctx, const TargetDescriptor& slot) {
  const std::filesystem::path folder = ctx.TargetFolder(slot.folder);

  const auto numbered_name = [&](std::string_view number) {
    return slot.file_name(ctx.Header(), number);
  };
  std::optional<std::filesystem::path> chosen;
  if (slot.dialog && ctx.choices.file_dialog) {
    // The dialog offers the name this run takes when it is cancelled (for a
    // numbered file, the number free now).
    std::filesystem::path automatic;
    if (slot.naming == Naming::kNumbered) {
      automatic = NumberedFile::FirstFree(folder, numbered_name).value_or(automatic);
    } else {
      const RouteFileName name = slot.file_name(ctx.Header(), "");
      automatic = SafeFileName(name.text, name.kept_end);
    }
    chosen = ctx.DialogChoice(folder, *slot.dialog, automatic);
  }
  std::filesystem::path file;
  if (chosen) {
    file = *chosen;
  } else if (slot.naming == Naming::kNumbered) {
    // The number free now, shown before the write; the write takes the
    // first free number once the content is complete.
    const std::optional<std::filesystem::path> free =
        NumberedFile::FirstFree(folder, numbered_name);
    if (!free)
      return ctx.Stop(kTooManyFiles);
    file = *free;
  } else {
    const RouteFileName name = slot.file_name(ctx.Header(), "");
    file = folder / SafeFileName(name.text, name.kept_end);
  }

  const bool status_before_write = slot.status == StatusRule::kBeforeWriteUnlessDialog && !chosen;
  if (status_before_write)
    ctx.StatusBeforeWrite("File " + ShownPath(file) + " created", file);
  const std::string bytes = slot.render(WriterInput{ctx.Header(), ctx.Waypoints(), ctx.choices});
  if (!chosen && slot.naming == Naming::kNumbered) {
    const std::optional<std::filesystem::path> taken =
        NumberedFile::Write(folder, numbered_name, bytes);
    if (!taken)
      return ctx.Stop(kTooManyFiles);
    // Another program took the number shown meanwhile.
    if (status_before_write && *taken != file)
      ctx.StatusBeforeWrite("File " + ShownPath(*taken) + " created", *taken);
    file = *taken;
    ctx.Written(file);
  } else {
    ctx.Write(file, bytes);
  }
  if (slot.status == StatusRule::kFullPath) {
    ctx.Status("File " + ShownPath(file) + " created");
  } else if (slot.status == StatusRule::kBareName) {
    ctx.Status("File " + ShownPath(chosen ? file : file.filename()) + " created");
  }
  return SlotStep::kContinue;
}

}  // namespace korvanta

#include "run/conversion_run.hpp"

#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/numbered_file.hpp"
#include "files/safe_file_name.hpp"
#include "io/utf8_path.hpp"
#include "route/text.hpp"
#include "run/writer_slots.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kRouteTextName = "route.txt";

// The text with CR LF after every line, made in one piece of the exact size:
// a list of the lines joined again would hold a large text three times.
std::string WithCrLfLineEnds(std::string_view text) {
  std::size_t size = 0;
  ForEachLine(text, [&](std::string_view line) { size += line.size() + 2; });
  std::string out;
  out.reserve(size);
  ForEachLine(text, [&](std::string_view line) { AppendCrLfLine(out, line); });
  return out;
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

RunOutcome ConversionRun::Run(const std::string& text, const RunChoices& choices) {
  RunOutcome outcome;
  waypoints_.Empty();
  header_.departure_name.clear();
  header_.destination_name.clear();

  SlotContext ctx{*this,
                  choices,
                  outcome,
                  IniProfile(folders_.SettingsFile()),
                  SimulatorDir(choices),
                  PlanFolder(choices)};
  try {
    // The route text is kept as "route.txt"; every parse reads the lines as
    // written there. They are taken from memory, not read back: another run
    // in the same program folder may have replaced the file meanwhile.
    const std::filesystem::path route_file = folders_.app_dir / kRouteTextName;
    const std::string route_text = WithCrLfLineEnds(text);
    WriteWholeFile(route_file, route_text);
    std::vector<std::string> lines = SplitLines(route_text);
    ctx.lines = &lines;

    for (const TargetDescriptor& slot : Targets()) {
      if (!SlotTicked(slot, choices))
        continue;
      const SlotStep step = slot.custom ? slot.custom(ctx, slot) : RunStandardSlot(ctx, slot);
      if (step == SlotStep::kStop) {
        outcome.end = RunEnd::kStopped;
        return outcome;
      }
    }

    // The route-text copy is named after this run's route. When no writer
    // parsed the text, parse it once for the name; a text that does not
    // parse gets no copy.
    if (!ctx.parsed_ok) {
      if (ctx.parse_attempted)
        return outcome;
      if (!ctx.Parse(ParseMode::kText))
        return outcome;
    }
    const std::filesystem::path rts =
        ctx.simulator_dir / "routes" /
        SafeFileName(header_.departure_icao + header_.destination_icao, ".rts");
    ctx.Write(rts, route_text, true);
    KeepFileDate(route_file, rts);
  } catch (const std::exception& e) {
    // RunError carries the message to show; anything else (a file system
    // error, memory) ends the run the same way.
    front_.ShowMessage(e.what());
    outcome.end = RunEnd::kFailed;
  }
  return outcome;
}

bool SlotContext::Parse(ParseMode mode) {
  parse_attempted = true;
  const ParseResult result =
      ParseRoute(*lines, {mode, choices.super80}, run.airports_, run.waypoints_, run.header_);
  if (result == ParseResult::kParsed) {
    parsed_ok = true;
    return true;
  }
  outcome.parse_failed = true;
  outcome.last_failure = result;
  if (result == ParseResult::kWrongFormat)
    Front().ShowMessage(std::string(kWrongFormat));
  return false;
}

std::filesystem::path SlotContext::TargetFolder(const FolderRule& rule) const {
  std::filesystem::path folder;
  std::string key =
      rule.key.empty() ? std::string(kNotSet) : settings.Read(kMainSection, rule.key, kNotSet);
  if (key == kNotSet && !rule.fallback_key.empty())
    key = settings.Read(kMainSection, rule.fallback_key, kNotSet);
  if (key != kNotSet) {
    folder = PathFromUtf8(key);
  } else if (rule.else_personal) {
    folder = Folders().personal_dir;
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

std::optional<std::filesystem::path> SlotContext::DialogChoice(const std::filesystem::path& folder,
                                                               const SaveDialogText& dialog) {
  if (!choices.file_dialog)
    return std::nullopt;
  Front().ProcessPendingEvents();
  SaveDialogRequest request;
  request.folder = folder;
  request.title = dialog.title;
  request.filter_name = dialog.filter_name;
  request.extension = dialog.extension;
  return Front().ChooseSaveFile(request);
}

void SlotContext::Write(const std::filesystem::path& file, std::string_view bytes,
                        bool create_folders) {
  WriteWholeFile(file, bytes, create_folders);
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
  Front().ShowMessage(std::string(message));
  return SlotStep::kStop;
}

SlotStep RunStandardSlot(SlotContext& ctx, const TargetDescriptor& slot) {
  const std::filesystem::path folder = ctx.TargetFolder(slot.folder);
  if (!ctx.Parse(slot.mode))
    return SlotStep::kContinue;

  std::optional<std::filesystem::path> chosen;
  if (slot.dialog)
    chosen = ctx.DialogChoice(folder, *slot.dialog);
  // A numbered name is taken as an empty file now and filled by the write;
  // it is removed again when anything before the write's end fails.
  std::optional<NumberedFile> numbered =
      !chosen && slot.naming == Naming::kNumbered
          ? NumberedFile::Reserve(
                folder,
                [&](std::string_view number) { return slot.file_name(ctx.Header(), number); })
          : std::nullopt;
  std::filesystem::path file;
  if (chosen) {
    file = *chosen;
  } else if (slot.naming == Naming::kNumbered) {
    if (!numbered)
      return ctx.Stop(kTooManyFiles);
    file = numbered->Path();
  } else {
    const RouteFileName name = slot.file_name(ctx.Header(), "");
    file = folder / SafeFileName(name.text, name.kept_end);
  }

  if (slot.status == StatusRule::kBeforeWriteUnlessDialog && !chosen) {
    ctx.StatusBeforeWrite("File " + ShownPath(file) + " created", file);
  }
  const std::string bytes = slot.render(WriterInput{ctx.Header(), ctx.Waypoints(), ctx.choices});
  ctx.Write(file, bytes);
  if (numbered)
    numbered->Keep();
  if (slot.status == StatusRule::kFullPath) {
    ctx.Status("File " + ShownPath(file) + " created");
  } else if (slot.status == StatusRule::kBareName) {
    ctx.Status("File " + ShownPath(chosen ? file : file.filename()) + " created");
  }
  return SlotStep::kContinue;
}

}  // namespace korvanta

#include "app/conversion_run.hpp"

#include <fmt/format.h>

#include <system_error>

#include "app/file_output.hpp"
#include "app/writer_slots.hpp"
#include "route/run_error.hpp"
#include "route/utf8_path.hpp"

namespace korvanta {

namespace {
constexpr std::string_view kRouteTextName = "route.txt";
}

ConversionRun::ConversionRun(const FolderSet& folders, const AirportDatabase& airports,
                             FrontEnd& front)
    : folders_(folders), airports_(airports), front_(front) {}

std::filesystem::path ConversionRun::SimulatorDir(const RunChoices& choices) const {
  return choices.simulator == Simulator::kFsx ? folders_.FsxDir : folders_.Fs9Dir;
}

std::filesystem::path ConversionRun::PlanFolder(const RunChoices& choices) const {
  return choices.simulator == Simulator::kFsx ? folders_.FsxPlnFolder : folders_.PlnFolder;
}

RunOutcome ConversionRun::Run(const std::string& text, const RunChoices& choices) {
  RunOutcome outcome;
  rm_.Empty();
  header_.DepName.clear();
  header_.DestName.clear();

  SlotContext ctx{*this,
                  choices,
                  outcome,
                  IniProfile(folders_.SettingsFile()),
                  SimulatorDir(choices),
                  PlanFolder(choices)};
  try {
    // The route text is kept as "route.txt" and every parse reads the lines
    // loaded back from it.
    const std::filesystem::path route_file = folders_.AppDir / kRouteTextName;
    WriteWholeFile(route_file, JoinCrLf(SplitLines(text)));
    const std::string route_text = ReadWholeFile(route_file);
    std::vector<std::string> lines = SplitLines(route_text);
    ctx.lines = &lines;

    for (const WriterSlot& slot : WriterSlots()) {
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
        ctx.simulator_dir / "routes" / SafeFileName(header_.DepIcao + header_.DestIcao + ".rts");
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
      ParseRoute(*lines, {mode, choices.super80}, run.airports_, run.rm_, run.header_);
  if (result == ParseResult::kParsed) {
    parsed_ok = true;
    return true;
  }
  outcome.parse_failed = true;
  if (result == ParseResult::kWrongFormat)
    Front().ShowMessage(std::string(kWrongFormat));
  return false;
}

std::filesystem::path SlotContext::TargetFolder(const FolderRule& rule) const {
  std::filesystem::path folder;
  const std::string key =
      rule.key.empty() ? std::string(kNotSet) : settings.Read(kMainSection, rule.key, kNotSet);
  if (key != kNotSet) {
    folder = PathFromUtf8(key);
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
    const std::filesystem::path& folder) {
  if (!choices.file_dialog)
    return std::nullopt;
  Front().ProcessPendingEvents();
  return Front().ChooseSaveFile(folder);
}

std::optional<std::filesystem::path> SlotContext::Numbered(
    const std::filesystem::path& folder,
    const std::function<std::string(std::string_view number)>& name) const {
  for (int n = 1; n <= 998; ++n) {
    const std::filesystem::path candidate = folder / SafeFileName(name(fmt::format("{:03}", n)));
    std::error_code ec;
    if (!std::filesystem::exists(candidate, ec))
      return candidate;
  }
  return std::nullopt;
}

void SlotContext::Write(const std::filesystem::path& file, std::string_view bytes,
                        bool create_folders) {
  WriteWholeFile(file, bytes, create_folders);
  outcome.written.push_back(file);
}

void SlotContext::Status(const std::string& text) {
  Front().SetStatus(text);
  Front().ProcessPendingEvents();
}

SlotStep SlotContext::Stop(std::string_view message) {
  Front().ShowMessage(std::string(message));
  return SlotStep::kStop;
}

SlotStep RunStandardSlot(SlotContext& ctx, const WriterSlot& slot) {
  const std::filesystem::path folder = ctx.TargetFolder(slot.folder);
  if (!ctx.Parse(slot.mode))
    return SlotStep::kContinue;

  std::optional<std::filesystem::path> chosen;
  if (slot.offers_dialog)
    chosen = ctx.DialogChoice(folder);
  std::filesystem::path file;
  if (chosen) {
    file = *chosen;
  } else if (slot.naming == Naming::kNumbered) {
    const auto numbered = ctx.Numbered(
        folder, [&](std::string_view number) { return slot.file_name(ctx.Header(), number); });
    if (!numbered)
      return ctx.Stop(kTooManyFiles);
    file = *numbered;
  } else {
    file = folder / SafeFileName(slot.file_name(ctx.Header(), ""));
  }

  if (slot.status == StatusRule::kBeforeWriteUnlessDialog && !chosen) {
    ctx.Status("File " + ShownPath(file) + " created");
  }
  const std::string bytes = slot.render(WriterInput{ctx.Header(), ctx.Rm(), ctx.choices});
  ctx.Write(file, bytes);
  if (slot.status == StatusRule::kFullPath) {
    ctx.Status("File " + ShownPath(file) + " created");
  } else if (slot.status == StatusRule::kBareName) {
    ctx.Status("File " + ShownPath(chosen ? file : file.filename()) + " created");
  }
  return SlotStep::kContinue;
}

}  // namespace korvanta

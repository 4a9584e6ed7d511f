// The window model's conversion run: when it may start, what it converts
// (the clipboard, a dropped or opened file), and the dialogs the run asks for.

#include "window/window_model.hpp"

#include <fmt/format.h>

#include <utility>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "run/input_source.hpp"
#include "run/target_options.hpp"
#include "text/text.hpp"
#include "window/busy_flag.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kNoDetailsFound = "No details list found";
constexpr std::string_view kClipboardEmpty = "The clipboard holds no text";
constexpr std::string_view kNothingTicked = "Nothing ticked: the route copy is ";
constexpr std::string_view kNothingTickedNoCopy = "Nothing ticked: nothing written";
constexpr std::string_view kNoViewer = "No viewer opened ";
// The copy of the route finder's text that every run keeps.
constexpr std::string_view kRouteTextName = "route.txt";

}  // namespace

bool FileDialogRequested(std::span<const std::string> arguments) {
  return !arguments.empty() && EqualNoCase(arguments.front(), "/T");
}

// ---- the conversion --------------------------------------------------------

bool WindowModel::ConversionAllowed() const {
  return start_up_ended_ && !running_ && !reloading_airports_;
}

void WindowModel::UpdateConversionButton() {
  SetEnabled(Control::kConversionButton, ConversionAllowed());
}

RunChoices WindowModel::Choices() const {
  RunChoices choices;
  for (const ControlInfo& info : Controls()) {
    if (info.target && StateOf(info.control).ticked)
      choices.ticked.insert(*info.target);
  }
  // The window's fixed controls, bound to the options of the option table.
  SetOption(choices, "super80", StateOf(Control::kSuper80Box).ticked ? "1" : "");
  SetOption(choices, "runway", StateOf(Control::kRunwayBox).caption);
  SetOption(choices, "plan-number", fmt::format("{}", StateOf(Control::kPlanNumber).value));
  choices.simulator = applied_;
  choices.file_dialog = file_dialog_;
  return choices;
}

// The run lets the window repaint and take input, so a second press while it
// goes on is refused, and so is the second click of a double-click that
// arrives just after it ended.
bool WindowModel::RunRefused(std::chrono::milliseconds at) const {
  return !ConversionAllowed() || (run_ended_at_ && at - *run_ended_at_ < view_.DoubleClickTime());
}

void WindowModel::Convert(std::chrono::milliseconds at) {
  if (RunRefused(at))
    return;
  ConvertInput(view_.ClipboardText(), "");
}

// A drop is no click, so the double-click time does not refuse it; and as a
// dropped file gives no other sign that it was taken, one that comes while
// the load or a run goes on waits for its end.
void WindowModel::FilesDropped(std::span<const std::filesystem::path> files,
                               std::chrono::milliseconds /*at*/) {
  if (files.empty())
    return;
  pending_drop_.emplace(files.front(), files.size() - 1);
  ConvertPendingDrop();
}

void WindowModel::ConvertPendingDrop() {
  if (!pending_drop_ || !ConversionAllowed() || close_pending_)
    return;
  const auto [file, not_read] = std::move(*pending_drop_);
  pending_drop_.reset();
  ConvertFile(file, not_read);
}

void WindowModel::OpenFile(std::chrono::milliseconds at) {
  if (RunRefused(at))
    return;
  if (open_folder_.empty())
    open_folder_ = folders_.documents_dir;
  if (const std::optional<std::filesystem::path> file = view_.ChooseOpenFile(open_folder_)) {
    open_folder_ = file->parent_path();
    ConvertFile(*file, 0);
  }
}

void WindowModel::ConvertFile(const std::filesystem::path& file, std::size_t not_read) {
  const std::string name = PathToUtf8(file.filename());
  // One byte past the limit is enough to refuse an input as too large.
  FileRead read = ReadInputBytes(file, kInputSizeLimit + 1);
  if (read.Ok()) {
    ConvertInput(read.bytes, name);
  } else {
    const std::string message = PathToUtf8(file) + ": " + read.reason;
    ShowStatus(message);
    view_.ShowMessage(message);
  }
  if (not_read > 0) {
    const std::string others = not_read == 1
                                   ? "1 other dropped file was not read"
                                   : fmt::format("{} other dropped files were not read", not_read);
    ShowStatus(status_.empty() ? others : status_ + " (" + others + ")");
  }
}

// `name` names the file the input came from; empty for the clipboard.
void WindowModel::ConvertInput(std::string_view bytes, const std::string& name) {
  const std::string prefix = name.empty() ? "" : name + ": ";
  {
    const BusyFlag running(running_);
    UpdateConversionButton();
    progress_shown_ = false;
    unopened_document_.reset();
    SetVisible(Control::kRunwayPrompt, false);
    ShowStatus("");
    InputSource input;
    RunOutcome outcome;
    RunChoices choices;
    bool kept_route_text = false;
    if (name.empty() && bytes.empty()) {
      // Nothing to convert: no run, and "route.txt" keeps the last route.
      ShowStatus(std::string(kClipboardEmpty));
    } else if (input = MakeInputSource(bytes); input.source) {
      ShowRouteRunway(input.source->Runway());
      choices = Choices();
      outcome = run_.Run(*input.source, choices);
      kept_route_text = input.source->RouteText().has_value();
    } else {
      ShowStatus(prefix + input.error);
      view_.ShowMessage(input.error);
    }
    if (progress_shown_)
      SetVisible(Control::kProgressPanel, false);
    RenderGrid();
    if (input.source && outcome.end == RunEnd::kCompleted)
      ShowRunEnd(outcome, choices, kept_route_text, prefix);
    // Named last, as the statuses of the targets written after it would
    // hide it.
    if (unopened_document_)
      ShowStatus(std::string(kNoViewer) + ShownPath(*unopened_document_));
  }
  run_ended_at_ = view_.Now();
  UpdateConversionButton();
  view_.Focus(Control::kConversionButton);
  CloseIfPending();
  ConvertPendingDrop();
}

// A run that wrote nothing says why, and names the file it read; one with
// nothing ticked says where the route's copy went.
void WindowModel::ShowRunEnd(const RunOutcome& outcome, const RunChoices& choices,
                             bool kept_route_text, const std::string& prefix) {
  if (choices.ticked.empty() && outcome.last_failure == ParseResult::kParsed) {
    const std::string copy = std::string(kNothingTicked);
    if (!outcome.written.empty())
      ShowStatus(prefix + copy + ShownPath(outcome.written.back()));
    else if (kept_route_text)
      ShowStatus(prefix + copy + ShownPath(folders_.app_dir / kRouteTextName));
    else
      ShowStatus(prefix + std::string(kNothingTickedNoCopy));
  } else if (outcome.written.empty()) {
    if (outcome.last_failure == ParseResult::kNoDetails)
      ShowStatus(prefix + std::string(kNoDetailsFound));
    else if (outcome.last_failure == ParseResult::kWrongFormat)
      ShowStatus(prefix + std::string(kWrongFormat));
    else if (outcome.last_failure == ParseResult::kUnreadable)
      ShowStatus(prefix + outcome.failure_message);
    else if (!prefix.empty())
      ShowStatus(prefix + "read, nothing written");
  }
}

void WindowModel::RunDemo(std::chrono::milliseconds at) {
  for (const Control control : TickRowOrder()) {
    const ControlState& state = StateOf(control);
    if (IsTickBox(control) && state.visible && state.enabled)
      BoxTicked(control, true);
  }
  Mutable(Control::kPlanNumber).value = kDemoPlanNumber;
  view_.Render(Control::kPlanNumber, StateOf(Control::kPlanNumber));
  UpdatePlanNumberMark();
  Convert(at);
}

// ---- what the run asks of the window --------------------------------------

void WindowModel::ShowMessage(const std::string& text) {
  RenderGrid();
  view_.ShowMessage(text);
  view_.ProcessPendingEvents();
}

// Each writer's dialog holds the name last confirmed in it; before the first
// confirmation, the run's automatic name of the file.
std::optional<std::filesystem::path> WindowModel::ChooseSaveFile(const SaveDialogRequest& request) {
  SaveDialogRequest asked = request;
  if (const auto last = last_saved_names_.find(request.title); last != last_saved_names_.end())
    asked.file_name = last->second;
  const std::optional<std::filesystem::path> chosen = view_.ChooseSaveFile(asked);
  if (!chosen || chosen->empty())
    return std::nullopt;
  last_saved_names_[request.title] = PathToUtf8(chosen->filename());
  return chosen;
}

void WindowModel::SetStatus(const std::string& text) {
  ShowStatus(text);
}

void WindowModel::SetProgress(const std::string& text) {
  if (text.empty()) {
    SetVisible(Control::kProgressPanel, false);
    return;
  }
  SetCaption(Control::kProgressPanel, text);
  SetVisible(Control::kProgressPanel, true);
  progress_shown_ = true;
}

void WindowModel::ProcessPendingEvents() {
  RenderGrid();
  view_.ProcessPendingEvents();
}

void WindowModel::OpenDocument(const std::filesystem::path& file) {
  if (!view_.OpenDocument(file))
    unopened_document_ = file;
}

}  // namespace korvanta

#include "run/tu154_slot.hpp"

#include <fmt/format.h>

#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/platform_files.hpp"
#include "io/utf8_path.hpp"
#include "writers/tu154.hpp"
#include "writers/tu154_navdata.hpp"
#include "writers/tu154_store.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kPlanFile = "FPLS.TXT";
constexpr std::string_view kStoreFile = "FPLS.DAT";
constexpr std::string_view kBackupFile = "FPLS.BAK";
constexpr std::string_view kStoreLockFile = "FPLS.DAT.lock";
constexpr std::string_view kLoadCaption = "TU154 Routes ..... ";

// Shows the load's progress while it lives; the empty text hides it again,
// also when the load fails.
class ProgressPanel {
 public:
  explicit ProgressPanel(FrontEnd& front) : front_(front) { Show(0); }
  ~ProgressPanel() { front_.SetProgress(""); }
  ProgressPanel(const ProgressPanel&) = delete;
  ProgressPanel& operator=(const ProgressPanel&) = delete;

  void Show(std::size_t count) {
    front_.SetProgress(fmt::format("{}{}", kLoadCaption, count));
    front_.ProcessPendingEvents();
  }

 private:
  FrontEnd& front_;
};

// "10 seconds", "1 second"; a wait that is no whole number of seconds in
// milliseconds.
std::string WaitText(std::chrono::milliseconds wait) {
  if (wait.count() == 1000)
    return "1 second";
  if (wait.count() % 1000 == 0)
    return fmt::format("{} seconds", wait.count() / 1000);
  return fmt::format("{} ms", wait.count());
}

}  // namespace

void FileIntoPlanStore(const std::filesystem::path& folder, std::string_view plan_text,
                       const StoreFileWriter& write, std::chrono::milliseconds lock_wait) {
  const std::filesystem::path store = folder / kStoreFile;
  // Never the store itself: it is replaced whole, and a lock on the replaced
  // file would not stop a run that opens the new one.
  const FileLock lock(folder / kStoreLockFile, lock_wait);
  if (lock.Result() == FileLock::State::kTimedOut) {
    throw RunError(fmt::format("The plan store {} is in use by another run; gave up after {}",
                               ShownPath(store), WaitText(lock_wait)));
  }
  if (lock.Result() == FileLock::State::kFailed) {
    throw RunError(
        fmt::format("Cannot lock the plan store {}: {}", ShownPath(store), lock.Reason()));
  }
  RefuseUnlessRegularFile(store);
  std::error_code ec;
  const bool stored = std::filesystem::exists(store, ec);
  if (ec)
    throw RunError(fmt::format("Cannot read {}: {}", ShownPath(store), ec.message()));
  if (!stored) {
    write(store, plan_text);
    return;
  }
  const std::string old_store = ReadWholeFile(store);
  const std::filesystem::path backup = folder / kBackupFile;
  write(backup, old_store);
  KeepFileDate(store, backup);
  write(store, MergePlanStore(old_store, plan_text));
}

SlotStep RunTu154Slot(SlotContext& ctx, const TargetDescriptor& slot) {
  const int plan_number = ctx.choices.plan_number;
  if (plan_number < 1 || plan_number > kTu154MaxPlanNumber)
    return ctx.Stop(kPlanNumberTooHigh);

  const std::filesystem::path folder = ctx.TargetFolder(slot.folder);
  KlnNavigationPoints navigation_points;
  {
    ProgressPanel panel(ctx.Front());
    LoadKlnNavigation(folder, navigation_points, [&](std::size_t count) { panel.Show(count); });
  }

  const std::string plan = WriteTu154Plan(ctx.Waypoints(), navigation_points, plan_number);
  ctx.Write(folder / kPlanFile, plan);
  FileIntoPlanStore(folder, plan, [&](const std::filesystem::path& file, std::string_view bytes) {
    ctx.Write(file, bytes);
  });
  ctx.Status(fmt::format("File {} plan {} created", kStoreFile, plan_number));
  return SlotStep::kContinue;
}

}  // namespace korvanta

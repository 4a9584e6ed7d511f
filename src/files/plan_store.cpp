#include "files/plan_store.hpp"

#include <fmt/format.h>

#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/platform_files.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

std::string LockWaitText(std::chrono::milliseconds wait) {
  if (wait.count() == 1000)
    return "1 second";
  if (wait.count() % 1000 == 0)
    return fmt::format("{} seconds", wait.count() / 1000);
  return fmt::format("{} ms", wait.count());
}

void FileIntoPlanStore(const std::filesystem::path& store, std::string_view plan,
                       const StoreMerge& merge, const StoreFileWriter& write,
                       std::chrono::milliseconds lock_wait) {
  // Never the store itself: it is replaced whole, and a lock on the replaced
  // file would not stop a run that opens the new one.
  std::filesystem::path lock_file = store;
  lock_file += ".lock";
  const FileLock lock(lock_file, lock_wait);
  if (lock.Result() == FileLock::State::kTimedOut) {
    throw RunError(fmt::format("The plan store {} is in use by another run; gave up after {}",
                               ShownPath(store), LockWaitText(lock_wait)));
  }
  if (lock.Result() == FileLock::State::kFailed) {
    throw RunError(
        fmt::format("Cannot lock the plan store {}: {}", ShownPath(store), lock.Reason()));
  }
  RefuseUnlessRegularFile(store);
  std::error_code error;
  const bool stored = std::filesystem::exists(store, error);
  if (error)
    throw RunError(fmt::format("Cannot read {}: {}", ShownPath(store), error.message()));
  if (!stored) {
    write(store, plan);
    return;
  }
  const std::string old_store = ReadWholeFile(store);
  const std::filesystem::path backup = std::filesystem::path(store).replace_extension(".BAK");
  write(backup, old_store);
  KeepFileDate(store, backup);
  write(store, merge(old_store, plan));
}

}  // namespace korvanta

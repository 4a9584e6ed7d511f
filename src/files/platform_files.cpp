#include "files/platform_files.hpp"

#include <thread>

#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

constexpr auto kLockRetry = std::chrono::milliseconds(20);

}  // namespace

ExclusiveCreate CreateNewFile(const std::filesystem::path& file) {
  const NewFile created(file);
  return created.Created();
}

std::string NotRegularFileReason(const std::filesystem::path& file) {
  return PathToUtf8(file.filename()) + " is not a regular file";
}

FileLock::FileLock(const std::filesystem::path& lock_file, std::chrono::milliseconds wait_at_most) {
  if (!Open(lock_file))
    return;
  const auto give_up = std::chrono::steady_clock::now() + wait_at_most;
  while (true) {
    switch (TryOnce()) {
      case Attempt::kLocked:
        state_ = State::kLocked;
        return;
      case Attempt::kFailed:
        return;
      case Attempt::kHeldElsewhere:
        break;
    }
    if (std::chrono::steady_clock::now() >= give_up) {
      state_ = State::kTimedOut;
      return;
    }
    std::this_thread::sleep_for(kLockRetry);
  }
}

FileLock::~FileLock() {
  Close();
}

}  // namespace korvanta

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/platform_files.hpp"

namespace korvanta {

namespace {

std::string SystemReason(int error) {
  return std::generic_category().message(error);
}

// Closes a descriptor when it goes out of scope.
class Descriptor {
 public:
  explicit Descriptor(int fd) : fd_(fd) {}
  ~Descriptor() {
    if (fd_ >= 0)
      ::close(fd_);
  }
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;

  int Get() const { return fd_; }
  // Closes now; a close that fails may have lost written data.
  int Close() {
    const int result = ::close(fd_);
    fd_ = -1;
    return result;
  }

 private:
  int fd_;
};

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR)
        continue;
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Makes a rename in `folder` last through a power cut. Some file systems
// cannot sync a folder; the file itself is already on the disk and in place,
// so that is not a failure of the write.
void SyncFolder(const std::filesystem::path& folder) {
  const Descriptor dir(
      ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.Get() >= 0)
    ::fsync(dir.Get());
}

}  // namespace

FileStep WriteFlushedFile(const std::filesystem::path& file, std::string_view bytes,
                          const std::filesystem::path& keep_mode_of) {
  Descriptor out(::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666));
  if (out.Get() < 0)
    return FileStep::Failed(SystemReason(errno));
  struct stat replaced {};
  if (::stat(keep_mode_of.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
    if (::fchmod(out.Get(), replaced.st_mode & 0777) != 0)
      return FileStep::Failed(SystemReason(errno));
  }
  if (!WriteAll(out.Get(), bytes) || ::fsync(out.Get()) != 0)
    return FileStep::Failed(SystemReason(errno));
  if (out.Close() != 0)
    return FileStep::Failed(SystemReason(errno));
  return FileStep::Done();
}

FileStep MoveOverTarget(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::rename(from.c_str(), to.c_str()) != 0)
    return FileStep::Failed(SystemReason(errno));
  SyncFolder(to.parent_path());
  return FileStep::Done();
}

ExclusiveCreate CreateNewFile(const std::filesystem::path& file) {
  const Descriptor created(::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
  if (created.Get() >= 0)
    return {CreateResult::kCreated, ""};
  if (errno == EEXIST)
    return {CreateResult::kAlreadyExists, ""};
  return {CreateResult::kFailed, SystemReason(errno)};
}

// flock, not fcntl: an fcntl lock belongs to the process, so two runs in one
// process (the window and its tests) would not exclude each other.
bool FileLock::Open(const std::filesystem::path& lock_file) {
  // Read access is enough for flock, so a lock file another user made works.
  const int fd = ::open(lock_file.c_str(), O_RDONLY | O_CREAT | O_CLOEXEC, 0666);
  if (fd < 0) {
    reason_ = SystemReason(errno);
    return false;
  }
  handle_ = fd;
  return true;
}

FileLock::Attempt FileLock::TryOnce() {
  while (::flock(static_cast<int>(handle_), LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR)
      continue;
    if (errno == EWOULDBLOCK)
      return Attempt::kHeldElsewhere;
    reason_ = SystemReason(errno);
    return Attempt::kFailed;
  }
  return Attempt::kLocked;
}

void FileLock::Close() {
  // Closing the file releases the lock.
  if (handle_ >= 0)
    ::close(static_cast<int>(handle_));
}

}  // namespace korvanta

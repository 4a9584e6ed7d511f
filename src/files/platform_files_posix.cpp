#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
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

// Gives the new file the owner and group of the file it replaces, where the
// process may: root may set any, others their own groups. Not being allowed
// is no failure; the file then stays the writer's.
void KeepOwner(int fd, const struct stat& replaced) {
  struct stat made {};
  if (::fstat(fd, &made) != 0 || (made.st_uid == replaced.st_uid && made.st_gid == replaced.st_gid))
    return;
  if (::fchown(fd, replaced.st_uid, replaced.st_gid) == 0)
    return;
  // Not root: the group alone, where the writer belongs to it.
  const int group_kept = ::fchown(fd, static_cast<uid_t>(-1), replaced.st_gid);
  static_cast<void>(group_kept);
}

// The answers of a file system that cannot name a file only when the name is
// free: no such flag for rename, no hard links.
bool IsNotOffered(int error) {
  return error == EINVAL || error == ENOSYS || error == EPERM || error == ENOTSUP;
}

}  // namespace

NewFile::NewFile(const std::filesystem::path& file) : file_(file) {
  // With O_EXCL a symbolic link of that name is never followed, dangling or
  // not; O_NOFOLLOW says so once more.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd >= 0) {
    handle_ = fd;
    created_ = {CreateResult::kCreated, ""};
  } else if (errno == EEXIST) {
    created_ = {CreateResult::kAlreadyExists, ""};
  } else {
    created_ = {CreateResult::kFailed, SystemReason(errno)};
  }
}

NewFile::~NewFile() {
  Close();
}

void NewFile::Close() {
  if (handle_ >= 0)
    ::close(static_cast<int>(handle_));
  handle_ = -1;
}

FileStep NewFile::WriteFlushed(std::string_view bytes, const std::filesystem::path& keep_of) {
  if (handle_ < 0)
    return FileStep::Failed(created_.reason);
  const int fd = static_cast<int>(handle_);
  // Closed on every failure too, so that the caller can remove the file.
  const auto failed = [this](std::string reason) {
    Close();
    return FileStep::Failed(std::move(reason));
  };
  struct stat replaced {};
  if (::lstat(keep_of.c_str(), &replaced) == 0 && S_ISREG(replaced.st_mode)) {
    KeepOwner(fd, replaced);
    if (::fchmod(fd, replaced.st_mode & 0777) != 0)
      return failed(SystemReason(errno));
  }
  if (!WriteAll(fd, bytes) || ::fsync(fd) != 0)
    return failed(SystemReason(errno));
  struct stat written {};
  struct stat named {};
  if (::fstat(fd, &written) != 0 || ::lstat(file_.c_str(), &named) != 0 ||
      written.st_dev != named.st_dev || written.st_ino != named.st_ino)
    return failed(std::string(kReplacedReason));
  const int closed = ::close(fd);
  handle_ = -1;
  if (closed != 0)
    return FileStep::Failed(SystemReason(errno));
  return FileStep::Done();
}

FileStep MoveOverTarget(const std::filesystem::path& from, const std::filesystem::path& to) {
  // rename replaces a file whatever its permission bits; the user's
  // protection is honoured here. The owner-write bit, not access(2), decides,
  // so that a read-only plan stays so for root as well.
  struct stat target {};
  if (::lstat(to.c_str(), &target) == 0 && S_ISREG(target.st_mode) &&
      (target.st_mode & S_IWUSR) == 0)
    return FileStep::Failed(std::string(kReadOnlyReason));
  if (::rename(from.c_str(), to.c_str()) != 0)
    return FileStep::Failed(SystemReason(errno));
  SyncFolder(to.parent_path());
  return FileStep::Done();
}

NameStep NameIfFree(const std::filesystem::path& from, const std::filesystem::path& to) {
  if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0) {
    const int error = errno;
    if (error == EEXIST)
      return {NameResult::kNameTaken, ""};
    if (!IsNotOffered(error))
      return {NameResult::kFailed, SystemReason(error)};
    // A hard link, too, is made only under a free name; the temporary name
    // is dropped afterwards (a kill in between leaves it as a second name of
    // the complete file, removed with the other left temporary files).
    if (::link(from.c_str(), to.c_str()) != 0) {
      const int link_error = errno;
      if (link_error == EEXIST)
        return {NameResult::kNameTaken, ""};
      if (IsNotOffered(link_error))
        return {NameResult::kNotOffered, ""};
      return {NameResult::kFailed, SystemReason(link_error)};
    }
    ::unlink(from.c_str());
  }
  SyncFolder(to.parent_path());
  return {NameResult::kNamed, ""};
}

bool IsNonRegularFile(const std::filesystem::path& file) {
  struct stat seen {};
  return ::lstat(file.c_str(), &seen) == 0 && !S_ISREG(seen.st_mode);
}

bool FileLock::Open(const std::filesystem::path& lock_file) {
  // Not following a link: a dangling one would create the lock file wherever
  // it points. Not waiting: a named pipe would hold the run for ever.
  const int fd =
      ::open(lock_file.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0666);
  if (fd < 0) {
    const int error = errno;
    reason_ = IsNonRegularFile(lock_file) ? NotRegularFileReason(lock_file) : SystemReason(error);
    return false;
  }
  struct stat opened {};
  if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode)) {
    reason_ = NotRegularFileReason(lock_file);
    ::close(fd);
    return false;
  }
  handle_ = fd;
  return true;
}

// A write lock of the open file description over the whole file. Like a
// flock lock it belongs to this opening of the file, not to the process (as
// a classic record lock does), so two runs in one process (the window and its
// tests) exclude each other. Unlike a flock lock it conflicts with the POSIX
// record locks through which Wine takes the Windows build's lock on the same
// file, so the two builds never merge into one store at once.
FileLock::Attempt FileLock::TryOnce() {
  struct flock whole_file {};
  whole_file.l_type = F_WRLCK;
  whole_file.l_whence = SEEK_SET;
  whole_file.l_start = 0;
  whole_file.l_len = 0;  // to the end, however long the file grows
  while (::fcntl(static_cast<int>(handle_), F_OFD_SETLK, &whole_file) != 0) {
    if (errno == EINTR)
      continue;
    if (errno == EAGAIN || errno == EACCES)
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

#include "io/read_handle.hpp"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace korvanta {

namespace {

OpenedType TypeOf(mode_t mode) {
  if (S_ISREG(mode))
    return OpenedType::kRegularFile;
  if (S_ISDIR(mode))
    return OpenedType::kFolder;
  if (S_ISFIFO(mode) || S_ISSOCK(mode))
    return OpenedType::kPipe;
  return OpenedType::kOther;
}

}  // namespace

ReadHandle::ReadHandle(const std::filesystem::path& file) {
  const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (descriptor < 0) {
    error_ = std::strerror(errno);
    return;
  }
  handle_ = descriptor;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0) {
    error_ = std::strerror(errno);
    return;
  }
  type_ = TypeOf(status.st_mode);
  if (type_ == OpenedType::kRegularFile)
    announced_size_ = static_cast<std::uintmax_t>(status.st_size);
  // Opened without waiting; a pipe that is read is then waited for, as a
  // reader of standard input waits.
  const int flags = ::fcntl(descriptor, F_GETFL);
  if (flags < 0 || ::fcntl(descriptor, F_SETFL, flags & ~O_NONBLOCK) != 0) {
    error_ = std::strerror(errno);
    return;
  }
  open_ = true;
}

ReadHandle::~ReadHandle() {
  if (handle_ >= 0)
    ::close(static_cast<int>(handle_));
}

std::optional<std::size_t> ReadHandle::Read(char* into, std::size_t size) {
  for (;;) {
    const ssize_t count = ::read(static_cast<int>(handle_), into, size);
    if (count >= 0)
      return static_cast<std::size_t>(count);
    if (errno != EINTR) {
      error_ = std::strerror(errno);
      return std::nullopt;
    }
  }
}

}  // namespace korvanta

#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

namespace korvanta {

// What an opened name turned out to be.
enum class OpenedType { kRegularFile, kFolder, kPipe, kOther };

// A file opened for reading without waiting: opening a FIFO or a named pipe
// returns at once instead of waiting for a writer, so a file that is no
// regular file can be refused rather than hang the run. One implementation
// per platform (read_handle_posix.cpp, read_handle_windows.cpp).
class ReadHandle {
 public:
  explicit ReadHandle(const std::filesystem::path& file);
  ~ReadHandle();
  ReadHandle(const ReadHandle&) = delete;
  ReadHandle& operator=(const ReadHandle&) = delete;

  // Whether the open succeeded; else Error() is the system's reason.
  bool IsOpen() const { return open_; }
  const std::string& Error() const { return error_; }
  OpenedType Type() const { return type_; }
  // The size the file system announces for a regular file (a hint only).
  std::optional<std::uintmax_t> AnnouncedSize() const { return announced_size_; }

  // Reads up to `size` bytes into `into`, waiting for them on a pipe: the
  // count, 0 at the end; none on a failure, Error() then says why.
  std::optional<std::size_t> Read(char* into, std::size_t size);

 private:
  std::intptr_t handle_ = -1;
  bool open_ = false;
  OpenedType type_ = OpenedType::kOther;
  std::optional<std::uintmax_t> announced_size_;
  std::string error_;
};

}  // namespace korvanta

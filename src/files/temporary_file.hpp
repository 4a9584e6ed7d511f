#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

namespace korvanta {

// Called by a write between making its temporary file and writing into it,
// with that file's name; the program passes none, tests use it to act at
// that point.
using WriteStepObserver = std::function<void(const std::filesystem::path& temporary_file)>;

// The complete content of a file on its way to its name: a new file in the
// target's folder, written through the handle that made it and flushed to
// the disk. Removed when the object ends, unless it has taken its name.
class TemporaryFile {
 public:
  // Writes `bytes` into a new temporary file beside `target`, first removing
  // the temporary files that killed runs left in that folder. `keep_of` is
  // the file whose permission bits and owner it takes (see NewFile). RunError
  // naming `target` when it cannot be made or written.
  static TemporaryFile Write(const std::filesystem::path& target, std::string_view bytes,
                             const std::filesystem::path& keep_of,
                             const WriteStepObserver& observer = {});

  TemporaryFile(TemporaryFile&& other) noexcept;
  TemporaryFile& operator=(TemporaryFile&&) = delete;
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile();

  const std::filesystem::path& Path() const { return path_; }
  // The file has taken its name; there is nothing left to remove.
  void Named() { named_ = true; }

 private:
  explicit TemporaryFile(std::filesystem::path path) : path_(std::move(path)) {}

  std::filesystem::path path_;
  bool named_ = false;
};

// Whether `file` is what a killed run left behind: a regular file (a link is
// looked at, not followed) last written longer ago than any write takes.
bool LeftByKilledRun(const std::filesystem::path& file);

}  // namespace korvanta

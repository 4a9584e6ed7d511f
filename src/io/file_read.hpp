#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <limits>
#include <string>

namespace korvanta {

enum class ReadStatus { kOk, kCannotOpen, kCannotRead };

struct FileRead {
  ReadStatus status = ReadStatus::kOk;
  std::string bytes;   // what was read (all of it when kOk)
  std::string reason;  // the system's text when not kOk ("Is a directory")

  bool Ok() const { return status == ReadStatus::kOk; }
};

// No limit to the bytes read.
inline constexpr std::size_t kWholeFile = std::numeric_limits<std::size_t>::max();

// Reads a whole file to its end, in chunks, whatever size the file system
// announces for it (0 for some files, or a size that changes while it is
// read), but no more than `limit` bytes: the rest stays unread. A caller that
// refuses inputs above a size asks for one byte more than it takes, so that
// no file (a huge one, a device that never ends) fills the memory before it
// is refused. Nothing throws: a file that cannot be opened or read (a folder,
// an I/O error) is reported in the result.
FileRead ReadFileBytes(const std::filesystem::path& file, std::size_t limit = kWholeFile);

// The same for a stream that is already open (standard input).
FileRead ReadStreamBytes(std::istream& in, std::size_t limit = kWholeFile);

}  // namespace korvanta

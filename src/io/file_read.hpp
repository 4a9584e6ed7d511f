#pragma once

#include <filesystem>
#include <iosfwd>
#include <string>

namespace korvanta {

enum class ReadStatus { kOk, kCannotOpen, kCannotRead };

struct FileRead {
  ReadStatus status = ReadStatus::kOk;
  std::string bytes;   // what was read (all of it when kOk)
  std::string reason;  // the system's text when not kOk ("Is a directory")

  bool Ok() const { return status == ReadStatus::kOk; }
};

// Reads a whole file to its end, in chunks, whatever size the file system
// announces for it (0 for some files, or a size that changes while it is
// read). Nothing throws: a file that cannot be opened or read (a folder, an
// I/O error) is reported in the result.
FileRead ReadFileBytes(const std::filesystem::path& file);

// The same for a stream that is already open (standard input).
FileRead ReadStreamBytes(std::istream& in);

}  // namespace korvanta

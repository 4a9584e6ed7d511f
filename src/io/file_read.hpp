#pragma once

#include <cstddef>
#include <filesystem>
#include <iosfwd>
#include <limits>
#include <string>

namespace korvanta {

enum class ReadStatus { kOk, kCannotOpen, kCannotRead, kNotRegularFile, kTooLarge };

struct FileRead {
  ReadStatus status = ReadStatus::kOk;
  std::string bytes;   // what was read (all of it when kOk)
  std::string reason;  // the system's text for kCannotOpen and kCannotRead ("Is a directory")

  bool Ok() const { return status == ReadStatus::kOk; }
};

// No limit to the bytes read.
inline constexpr std::size_t kWholeFile = std::numeric_limits<std::size_t>::max();

// Reads a file that Korvanta reads as data (its settings, navigation data,
// the airport list, a plan store): it is opened without waiting (a FIFO
// would wait for a writer), must be a regular file, and may hold no more
// than `limit` bytes; it is read to its end in chunks, whatever size the
// file system announces for it, and no further than one byte past the
// limit. Nothing throws: a file that cannot be opened or read, that is no
// regular file or that is too large is reported in the result.
FileRead ReadFileBytes(const std::filesystem::path& file, std::size_t limit);

// The route input a user names: besides a regular file it may be a pipe
// (`<(cat route.txt)`) or a device, read no further than `limit` bytes; a
// caller that refuses inputs above a size asks for one byte more than it
// takes, so that nothing that never ends fills the memory before it is
// refused.
FileRead ReadInputBytes(const std::filesystem::path& file, std::size_t limit);

// The same for a stream that is already open (standard input).
FileRead ReadStreamBytes(std::istream& in, std::size_t limit = kWholeFile);

// What a failed read says to the user, naming the file: "Cannot open F: why",
// "Cannot read F: why", "F is not a regular file", "F is larger than 4 MiB".
std::string ReadFailureText(const std::filesystem::path& file, const FileRead& read,
                            std::size_t limit);

}  // namespace korvanta

#include "io/file_read.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <istream>
#include <optional>
#include <system_error>

#include "io/read_handle.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

// Which kinds of file a read takes.
enum class Accepted { kRegularFiles, kAnything };

// istream::read turns a failing read of the stream buffer into badbit, so no
// exception leaves here (unlike reading through istreambuf_iterator).
void ReadToEnd(std::istream& in, std::size_t limit, FileRead& result) {
  std::size_t used = result.bytes.size();
  errno = 0;
  while (used < limit) {
    const std::size_t chunk = std::min(kChunk, limit - used);
    result.bytes.resize(used + chunk);
    in.read(result.bytes.data() + used, static_cast<std::streamsize>(chunk));
    used += static_cast<std::size_t>(in.gcount());
    if (!in)
      break;
  }
  result.bytes.resize(used);
  if (in.bad()) {
    result.status = ReadStatus::kCannotRead;
    result.reason = errno != 0 ? std::strerror(errno) : "read error";
  }
}

void ReadToEnd(ReadHandle& handle, std::size_t limit, FileRead& result) {
  std::size_t used = 0;
  while (used < limit) {
    const std::size_t chunk = std::min(kChunk, limit - used);
    result.bytes.resize(used + chunk);
    const std::optional<std::size_t> count = handle.Read(result.bytes.data() + used, chunk);
    if (!count) {
      result.status = ReadStatus::kCannotRead;
      result.reason = handle.Error();
      break;
    }
    if (*count == 0)
      break;
    used += *count;
  }
  result.bytes.resize(used);
}

FileRead ReadOpened(const std::filesystem::path& file, std::size_t limit, Accepted accepted) {
  FileRead result;
  ReadHandle handle(file);
  std::error_code ec;
  if (!handle.IsOpen()) {
    result.status = ReadStatus::kCannotOpen;
    // Windows refuses to open a folder with "Permission denied"; the user
    // is told what the name really is, as on Linux.
    result.reason = std::filesystem::is_directory(file, ec)
                        ? std::generic_category().message(EISDIR)
                        : handle.Error();
    return result;
  }
  if (handle.Type() == OpenedType::kFolder) {
    result.status = ReadStatus::kCannotRead;
    result.reason = std::generic_category().message(EISDIR);
    return result;
  }
  if (accepted == Accepted::kRegularFiles && handle.Type() != OpenedType::kRegularFile) {
    result.status = ReadStatus::kNotRegularFile;
    return result;
  }
  if (const auto size = handle.AnnouncedSize()) {
    result.bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(*size, limit)) + kChunk);
  }
  ReadToEnd(handle, limit, result);
  return result;
}

// "4 MiB", or the bytes when the limit is no whole number of mebibytes.
std::string LimitText(std::size_t limit) {
  constexpr std::size_t kMebibyte = std::size_t{1} << 20;
  return limit % kMebibyte == 0 ? fmt::format("{} MiB", limit / kMebibyte)
                                : fmt::format("{} bytes", limit);
}

}  // namespace

FileRead ReadFileBytes(const std::filesystem::path& file, std::size_t limit) {
  // One byte past the limit tells a file that is too large.
  const std::size_t read_limit = limit == kWholeFile ? limit : limit + 1;
  FileRead result = ReadOpened(file, read_limit, Accepted::kRegularFiles);
  if (result.Ok() && result.bytes.size() > limit) {
    result.status = ReadStatus::kTooLarge;
    result.bytes.clear();
    result.bytes.shrink_to_fit();
  }
  return result;
}

FileRead ReadInputBytes(const std::filesystem::path& file, std::size_t limit) {
  return ReadOpened(file, limit, Accepted::kAnything);
}

FileRead ReadStreamBytes(std::istream& in, std::size_t limit) {
  FileRead result;
  ReadToEnd(in, limit, result);
  return result;
}

std::string ReadFailureText(const std::filesystem::path& file, const FileRead& read,
                            std::size_t limit) {
  switch (read.status) {
    case ReadStatus::kOk:
      return {};
    case ReadStatus::kCannotOpen:
      return fmt::format("Cannot open {}: {}", ShownPath(file), read.reason);
    case ReadStatus::kCannotRead:
      return fmt::format("Cannot read {}: {}", ShownPath(file), read.reason);
    case ReadStatus::kNotRegularFile:
      return fmt::format("{} is not a regular file", ShownPath(file));
    case ReadStatus::kTooLarge:
      return fmt::format("{} is larger than {}", ShownPath(file), LimitText(limit));
  }
  return {};
}

}  // namespace korvanta

#include "io/file_read.hpp"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <istream>
#include <system_error>

namespace korvanta {

namespace {

constexpr std::size_t kChunk = std::size_t{1} << 16;

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

}  // namespace

FileRead ReadFileBytes(const std::filesystem::path& file, std::size_t limit) {
  FileRead result;
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    const int error = errno;
    result.status = ReadStatus::kCannotOpen;
    // Windows refuses to open a folder with "Permission denied"; the user
    // is told what the name really is, as on Linux.
    std::error_code ec;
    result.reason = std::filesystem::is_directory(file, ec)
                        ? std::generic_category().message(EISDIR)
                        : std::strerror(error);
    return result;
  }
  std::error_code ec;
  if (const auto size = std::filesystem::file_size(file, ec); !ec) {
    result.bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, limit)) + kChunk);
  }
  ReadToEnd(in, limit, result);
  return result;
}

FileRead ReadStreamBytes(std::istream& in, std::size_t limit) {
  FileRead result;
  ReadToEnd(in, limit, result);
  return result;
}

}  // namespace korvanta

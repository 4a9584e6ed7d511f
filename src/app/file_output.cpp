#include "app/file_output.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <random>
#include <system_error>

#include "route/file_read.hpp"
#include "route/run_error.hpp"

namespace korvanta {

namespace {

std::string Describe(const std::filesystem::path& file, const std::string& what,
                     const std::string& reason) {
  return what + " " + file.string() + ": " + reason;
}

// A short name of its own, not derived from the target's name: a target name
// at the file system's length limit would otherwise give a temporary name
// beyond it.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& file) {
  std::random_device rd;
  return file.parent_path() / (".korvanta-" + std::to_string(100000 + rd() % 900000) + ".tmp");
}

}  // namespace

void WriteWholeFile(const std::filesystem::path& file, std::string_view bytes,
                    bool create_folders) {
  std::error_code ec;
  if (create_folders && !file.parent_path().empty()) {
    std::filesystem::create_directories(file.parent_path(), ec);
    if (ec)
      throw RunError(Describe(file, "Cannot create the folder of", ec.message()));
  }
  const std::filesystem::path temp = TemporaryNameFor(file);
  {
    std::ofstream out(temp, std::ios::binary | std::ios::trunc);
    if (!out)
      throw RunError(Describe(file, "Cannot create", std::strerror(errno)));
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.flush();
    if (!out) {
      const std::string reason = std::strerror(errno);
      out.close();
      std::filesystem::remove(temp, ec);
      throw RunError(Describe(file, "Cannot write", reason));
    }
  }
  std::filesystem::rename(temp, file, ec);
  if (ec) {
    std::error_code ignored;
    std::filesystem::remove(temp, ignored);
    throw RunError(Describe(file, "Cannot write", ec.message()));
  }
}

void KeepFileDate(const std::filesystem::path& source, const std::filesystem::path& copy) {
  std::error_code ec;
  const auto date = std::filesystem::last_write_time(source, ec);
  if (!ec)
    std::filesystem::last_write_time(copy, date, ec);
}

std::string ReadWholeFile(const std::filesystem::path& file) {
  FileRead read = ReadFileBytes(file);
  if (read.status == ReadStatus::kCannotOpen)
    throw RunError(Describe(file, "Cannot open", read.reason));
  if (read.status == ReadStatus::kCannotRead)
    throw RunError(Describe(file, "Cannot read", read.reason));
  return std::move(read.bytes);
}

std::filesystem::path WithoutTrailingSeparator(const std::filesystem::path& folder) {
  std::string text = folder.string();
  if (text.size() > 1 && std::filesystem::path::preferred_separator == text.back()) {
    text.pop_back();
  }
#ifdef _WIN32
  else if (text.size() > 1 && text.back() == '/') {
    text.pop_back();
  }
#endif
  return text;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) {
    out += line;
    out += "\r\n";
  }
  return out;
}

}  // namespace korvanta

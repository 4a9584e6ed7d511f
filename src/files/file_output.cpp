#include "files/file_output.hpp"

#include <chrono>
#include <random>
#include <system_error>

#include "errors/run_error.hpp"
#include "files/platform_files.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

std::string Describe(const std::filesystem::path& file, const std::string& what,
                     const std::string& reason) {
  return what + " " + ShownPath(file) + ": " + reason;
}

constexpr int kTemporaryNameAttempts = 100;
constexpr std::string_view kTemporaryStart = ".korvanta-";
constexpr std::string_view kTemporaryEnd = ".tmp";
// No write takes this long, so an older temporary file is a killed run's.
constexpr auto kTemporaryFileAgeLimit = std::chrono::hours(1);

// A short name of its own, not derived from the target's name: a target name
// at the file system's length limit would otherwise give a temporary name
// beyond it.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& file) {
  std::random_device rd;
  return file.parent_path() / (std::string(kTemporaryStart) +
                               std::to_string(100000 + rd() % 900000) + std::string(kTemporaryEnd));
}

bool IsTemporaryName(const std::string& name) {
  if (!name.starts_with(kTemporaryStart) || !name.ends_with(kTemporaryEnd))
    return false;
  const std::string_view number = std::string_view(name).substr(
      kTemporaryStart.size(), name.size() - kTemporaryStart.size() - kTemporaryEnd.size());
  return !number.empty() && number.find_first_not_of("0123456789") == std::string_view::npos;
}

// A run killed while writing leaves its temporary file behind, up to a whole
// plan store each time. The age tells such a file from one a running write
// still holds: process ids cannot, since Wine's are not the system's. Every
// failure here is ignored; the write does not depend on it.
void RemoveLeftTemporaryFiles(const std::filesystem::path& folder) {
  std::error_code error;
  const auto before = std::filesystem::file_time_type::clock::now() - kTemporaryFileAgeLimit;
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  for (const std::filesystem::directory_iterator end; !error && entries != end;
       entries.increment(error)) {
    const std::filesystem::directory_entry& entry = *entries;
    std::error_code entry_error;
    if (!IsTemporaryName(PathToUtf8(entry.path().filename())) ||
        entry.symlink_status(entry_error).type() != std::filesystem::file_type::regular)
      continue;
    const auto written = entry.last_write_time(entry_error);
    if (!entry_error && written < before)
      std::filesystem::remove(entry.path(), entry_error);
  }
}

}  // namespace

void WriteWholeFile(const std::filesystem::path& file, std::string_view bytes,
                    bool create_folders) {
  std::error_code error;
  if (create_folders && !file.parent_path().empty()) {
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
      throw RunError(Describe(file, "Cannot create the folder of", error.message()));
  }
  RemoveLeftTemporaryFiles(file.parent_path());
  // The temporary name is taken exclusively, so that a failure never
  // removes another run's temporary file.
  std::filesystem::path temp;
  for (int attempt = 0; temp.empty(); ++attempt) {
    const std::filesystem::path candidate = TemporaryNameFor(file);
    const ExclusiveCreate created = CreateNewFile(candidate);
    if (created.result == CreateResult::kCreated)
      temp = candidate;
    else if (created.result == CreateResult::kFailed || attempt == kTemporaryNameAttempts)
      throw RunError(Describe(file, "Cannot create",
                              created.reason.empty() ? "no free temporary name" : created.reason));
  }
  // On the disk before it takes the target's place, so that a power cut
  // leaves the old file or the new one, never an empty one.
  const FileStep written = WriteFlushedFile(temp, bytes, file);
  if (!written.ok) {
    std::filesystem::remove(temp, error);
    throw RunError(Describe(file, "Cannot write", written.reason));
  }
  const FileStep replaced = MoveOverTarget(temp, file);
  if (!replaced.ok) {
    std::filesystem::remove(temp, error);
    throw RunError(Describe(file, "Cannot write", replaced.reason));
  }
}

void KeepFileDate(const std::filesystem::path& source, const std::filesystem::path& copy) {
  std::error_code error;
  const auto date = std::filesystem::last_write_time(source, error);
  if (!error)
    std::filesystem::last_write_time(copy, date, error);
}

void RefuseUnlessRegularFile(const std::filesystem::path& file) {
  if (IsNonRegularFile(file))
    throw RunError(ShownPath(file) + " is not a regular file");
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
  // Windows takes "/" as a separator too; elsewhere only the preferred one.
  const auto is_separator = [](char c) {
    return c == static_cast<char>(std::filesystem::path::preferred_separator) || c == '/';
  };
  std::string text = PathToUtf8(folder);
  if (text.size() > 1 && is_separator(text.back()))
    text.pop_back();
  return PathFromUtf8(text);
}

}  // namespace korvanta

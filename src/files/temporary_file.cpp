#include "files/temporary_file.hpp"

#include <chrono>
#include <random>
#include <string>
#include <system_error>

#include "errors/run_error.hpp"
#include "files/platform_files.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

constexpr int kTemporaryNameAttempts = 100;
constexpr std::string_view kTemporaryStart = ".korvanta-";
constexpr std::string_view kTemporaryEnd = ".tmp";
// No write takes this long, so an older temporary file is a killed run's.
constexpr auto kTemporaryFileAgeLimit = std::chrono::hours(1);

std::string Describe(const std::filesystem::path& file, const std::string& what,
                     const std::string& reason) {
  return what + " " + ShownPath(file) + ": " + reason;
}

// A short name of its own, not derived from the target's name: a target name
// at the file system's length limit would otherwise give a temporary name
// beyond it.
std::filesystem::path TemporaryNameFor(const std::filesystem::path& file) {
  std::random_device random;
  return file.parent_path() /
         (std::string(kTemporaryStart) + std::to_string(100000 + random() % 900000) +
          std::string(kTemporaryEnd));
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
  std::filesystem::directory_iterator entries(folder.empty() ? "." : folder, error);
  for (const std::filesystem::directory_iterator end; !error && entries != end;
       entries.increment(error)) {
    const std::filesystem::path& entry = entries->path();
    std::error_code ignored;
    if (IsTemporaryName(PathToUtf8(entry.filename())) && LeftByKilledRun(entry))
      std::filesystem::remove(entry, ignored);
  }
}

}  // namespace

TemporaryFile TemporaryFile::Write(const std::filesystem::path& target, std::string_view bytes,
                                   const std::filesystem::path& keep_of,
                                   const WriteStepObserver& observer) {
  RemoveLeftTemporaryFiles(target.parent_path());
  // The temporary name is taken exclusively, so that a failure never
  // removes another run's temporary file.
  for (int attempt = 0;; ++attempt) {
    const std::filesystem::path candidate = TemporaryNameFor(target);
    NewFile file(candidate);
    const ExclusiveCreate& created = file.Created();
    if (created.result == CreateResult::kCreated) {
      TemporaryFile temporary(candidate);
      if (observer)
        observer(candidate);
      // On the disk before it takes its name, so that a power cut leaves the
      // old file or the new one, never an empty one.
      const FileStep written = file.WriteFlushed(bytes, keep_of);
      if (!written.ok)
        throw RunError(Describe(target, "Cannot write", written.reason));
      return temporary;
    }
    if (created.result == CreateResult::kFailed || attempt == kTemporaryNameAttempts) {
      throw RunError(Describe(target, "Cannot create",
                              created.reason.empty() ? "no free temporary name" : created.reason));
    }
  }
}

TemporaryFile::TemporaryFile(TemporaryFile&& other) noexcept
    : path_(std::move(other.path_)), named_(other.named_) {
  other.named_ = true;
}

TemporaryFile::~TemporaryFile() {
  if (named_)
    return;
  // Whatever has this name now: the write made it, or put something in its
  // place that is removed as itself (a link is not followed).
  std::error_code ignored;
  std::filesystem::remove(path_, ignored);
}

bool LeftByKilledRun(const std::filesystem::path& file) {
  std::error_code error;
  if (std::filesystem::symlink_status(file, error).type() != std::filesystem::file_type::regular)
    return false;
  const auto written = std::filesystem::last_write_time(file, error);
  return !error && written < std::filesystem::file_time_type::clock::now() - kTemporaryFileAgeLimit;
}

}  // namespace korvanta

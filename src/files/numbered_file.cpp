#include "files/numbered_file.hpp"

#include <fmt/format.h>

#include <system_error>

#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "files/platform_files.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

std::optional<NumberedFile> NumberedFile::Reserve(const std::filesystem::path& folder,
                                                  const NameFor& name) {
  for (int number = 1; number <= kLastNumber; ++number) {
    const RouteFileName numbered = name(fmt::format("{:03}", number));
    const std::filesystem::path candidate = folder / SafeFileName(numbered.text, numbered.kept_end);
    const ExclusiveCreate created = CreateNewFile(candidate);
    if (created.result == CreateResult::kCreated)
      return NumberedFile(candidate);
    if (created.result == CreateResult::kFailed) {
      throw RunError(fmt::format("Cannot create {}: {}", ShownPath(candidate), created.reason));
    }
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> NumberedFile::FirstFree(const std::filesystem::path& folder,
                                                             const NameFor& name) {
  for (int number = 1; number <= kLastNumber; ++number) {
    const RouteFileName numbered = name(fmt::format("{:03}", number));
    const std::filesystem::path candidate = folder / SafeFileName(numbered.text, numbered.kept_end);
    std::error_code error;
    if (std::filesystem::symlink_status(candidate, error).type() ==
        std::filesystem::file_type::not_found)
      return candidate;
  }
  return std::nullopt;
}

NumberedFile::NumberedFile(NumberedFile&& other) noexcept
    : path_(std::move(other.path_)), kept_(other.kept_) {
  other.kept_ = true;
}

NumberedFile::~NumberedFile() {
  if (kept_)
    return;
  // Only the empty file this run made: anything else standing there now is
  // not this run's to remove.
  std::error_code error;
  if (std::filesystem::is_regular_file(path_, error) &&
      std::filesystem::file_size(path_, error) == 0 && !error) {
    std::filesystem::remove(path_, error);
  }
}

}  // namespace korvanta

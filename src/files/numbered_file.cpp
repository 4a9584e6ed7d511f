#include "files/numbered_file.hpp"

#include <fmt/format.h>

#include <system_error>

#include "errors/run_error.hpp"
#include "files/platform_files.hpp"
#include "files/temporary_file.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

std::filesystem::path NumberedName(const std::filesystem::path& folder,
                                   const NumberedFile::NameFor& name, int number) {
  const RouteFileName numbered = name(fmt::format("{:03}", number));
  return folder / SafeFileName(numbered.text, numbered.kept_end);
}

// The empty file that taking a name on a file system without a one-step
// naming leaves when the run is killed before its content arrives. No plan is
// empty, so it is nobody's plan.
bool IsLeftReservation(const std::filesystem::path& file) {
  std::error_code error;
  return LeftByKilledRun(file) && std::filesystem::file_size(file, error) == 0 && !error;
}

bool IsFree(const std::filesystem::path& file) {
  std::error_code error;
  return std::filesystem::symlink_status(file, error).type() ==
             std::filesystem::file_type::not_found ||
         IsLeftReservation(file);
}

// Takes `file` for the complete `temporary` file where names can only be
// taken by creating them: the name is created empty, exclusively, then the
// content replaces it. False when the name was taken first.
bool TakeByReservation(TemporaryFile& temporary, const std::filesystem::path& file) {
  const ExclusiveCreate created = CreateNewFile(file);
  if (created.result == CreateResult::kAlreadyExists)
    return false;
  if (created.result == CreateResult::kFailed)
    throw RunError(fmt::format("Cannot create {}: {}", ShownPath(file), created.reason));
  const FileStep moved = MoveOverTarget(temporary.Path(), file);
  if (!moved.ok) {
    // Only the empty file made here: anything else standing there now is
    // not this run's to remove.
    std::error_code error;
    if (std::filesystem::is_regular_file(file, error) &&
        std::filesystem::file_size(file, error) == 0 && !error)
      std::filesystem::remove(file, error);
    throw RunError(fmt::format("Cannot write {}: {}", ShownPath(file), moved.reason));
  }
  temporary.Named();
  return true;
}

}  // namespace

std::optional<std::filesystem::path> NumberedFile::Write(const std::filesystem::path& folder,
                                                         const NameFor& name,
                                                         std::string_view bytes) {
  const std::optional<std::filesystem::path> first_free = FirstFree(folder, name);
  if (!first_free)
    return std::nullopt;
  TemporaryFile temporary = TemporaryFile::Write(*first_free, bytes, {});
  bool one_step_naming = true;
  for (int number = 1; number <= kLastNumber; ++number) {
    const std::filesystem::path candidate = NumberedName(folder, name, number);
    if (IsLeftReservation(candidate)) {
      std::error_code ignored;
      std::filesystem::remove(candidate, ignored);
    }
    if (one_step_naming) {
      const NameStep step = NameIfFree(temporary.Path(), candidate);
      if (step.result == NameResult::kNamed) {
        temporary.Named();
        return candidate;
      }
      if (step.result == NameResult::kFailed)
        throw RunError(fmt::format("Cannot create {}: {}", ShownPath(candidate), step.reason));
      one_step_naming = step.result != NameResult::kNotOffered;
    }
    if (!one_step_naming && TakeByReservation(temporary, candidate))
      return candidate;
  }
  return std::nullopt;
}

std::optional<std::filesystem::path> NumberedFile::FirstFree(const std::filesystem::path& folder,
                                                             const NameFor& name) {
  for (int number = 1; number <= kLastNumber; ++number) {
    const std::filesystem::path candidate = NumberedName(folder, name, number);
    if (IsFree(candidate))
      return candidate;
  }
  return std::nullopt;
}

}  // namespace korvanta

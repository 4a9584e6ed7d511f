#include "files/file_output.hpp"

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

}  // namespace

void WriteWholeFile(const std::filesystem::path& file, std::string_view bytes, bool create_folders,
                    const WriteStepObserver& observer) {
  std::error_code error;
  if (create_folders && !file.parent_path().empty()) {
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
      throw RunError(Describe(file, "Cannot create the folder of", error.message()));
  }
  TemporaryFile temporary = TemporaryFile::Write(file, bytes, file, observer);
  const FileStep replaced = MoveOverTarget(temporary.Path(), file);
  if (!replaced.ok)
    throw RunError(Describe(file, "Cannot write", replaced.reason));
  temporary.Named();
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
  FileRead read = ReadFileBytes(file, kKeptFileLimit);
  if (!read.Ok())
    throw RunError(ReadFailureText(file, read, kKeptFileLimit));
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

#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>

#include "files/safe_file_name.hpp"

namespace korvanta {

// Numbered file names (001 ... 998) in one folder: each run takes the first
// free number, and a numbered file appears complete or not at all.
class NumberedFile {
 public:
  // The name (UTF-8) for a three-digit number ("001"), with the end
  // (number and extension) that shortening a long name keeps.
  using NameFor = std::function<RouteFileName(std::string_view number)>;

  static constexpr int kLastNumber = 998;

  // Writes `bytes` as a new file under the first of name("001") ...
  // name("998") in `folder` that is free, and returns the name it took. The
  // content is complete on the disk before the file takes the name, in one
  // step that fails when the name exists, so that two runs at the same time
  // never take the same number and a killed run leaves no empty or partial
  // plan; a number taken meanwhile is passed over. Where the file system has
  // no such step the name is first taken as an empty file, which a run killed
  // just then leaves behind: such an empty file older than any write counts
  // as free. nullopt when every number is taken; RunError naming the file
  // when it cannot be written.
  static std::optional<std::filesystem::path> Write(const std::filesystem::path& folder,
                                                    const NameFor& name, std::string_view bytes);
  // The name Write would take now, without taking it: the first number whose
  // name does not exist (a dangling link counts as existing).
  static std::optional<std::filesystem::path> FirstFree(const std::filesystem::path& folder,
                                                        const NameFor& name);

  NumberedFile() = delete;
};

}  // namespace korvanta

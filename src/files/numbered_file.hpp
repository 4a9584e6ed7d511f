#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/safe_file_name.hpp"

namespace korvanta {

// A numbered file name (001 ... 998) taken for one run. The name is taken by
// creating the file, empty, in one exclusive step, so two runs at the same
// time never take the same number. The whole-file write then fills it; until
// Keep() the empty file is removed again when the reservation ends, so a
// failed write leaves no empty plan behind.
class NumberedFile {
 public:
  // The name (UTF-8) for a three-digit number ("001"), with the end
  // (number and extension) that shortening a long name keeps.
  using NameFor = std::function<RouteFileName(std::string_view number)>;

  static constexpr int kLastNumber = 998;

  // The first of name("001") ... name("998") in `folder` that this call
  // creates; a number whose name exists (or is taken meanwhile) is passed
  // over. nullopt when every number is taken; RunError naming the file when
  // one cannot be created for another reason.
  static std::optional<NumberedFile> Reserve(const std::filesystem::path& folder,
                                             const NameFor& name);
  // The name Reserve would take now, without taking it: the first number
  // whose name does not exist (a dangling link counts as existing).
  static std::optional<std::filesystem::path> FirstFree(const std::filesystem::path& folder,
                                                        const NameFor& name);

  NumberedFile(NumberedFile&& other) noexcept;
  NumberedFile& operator=(NumberedFile&&) = delete;
  NumberedFile(const NumberedFile&) = delete;
  NumberedFile& operator=(const NumberedFile&) = delete;
  ~NumberedFile();

  const std::filesystem::path& Path() const { return path_; }
  // The file now holds its content; it stays.
  void Keep() { kept_ = true; }

 private:
  explicit NumberedFile(std::filesystem::path path) : path_(std::move(path)) {}

  std::filesystem::path path_;
  bool kept_ = false;
};

}  // namespace korvanta

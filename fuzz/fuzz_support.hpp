#pragma once

// What the fuzz targets share: the property check that hands a failing input
// to libFuzzer, the way one input is cut into several texts, and a scratch
// folder that lives as long as the fuzzing process.

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace korvanta::fuzz {

// Aborts with `what` when `holds` is false, so that libFuzzer keeps the input
// as a crash.
void Require(bool holds, std::string_view what);

// The fuzzer's bytes as text.
std::string_view AsText(const std::uint8_t* data, std::size_t size);

// The input cut at its first `count - 1` NUL bytes into `count` texts; texts
// the input does not reach are empty. The last text keeps any further NULs.
std::vector<std::string_view> SplitAtNul(std::string_view bytes, std::size_t count);

// Whether every line end of the text is CR LF: no LF without a CR before it
// and no CR without an LF after it.
bool OnlyCrLfLineEnds(std::string_view text);

// Whether the text is empty or its last line is ended by CR LF.
bool EndsWithCrLf(std::string_view text);

// A fresh folder in the temporary folder, removed with everything in it when
// the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::filesystem::path& Path() const { return path_; }

 private:
  std::filesystem::path path_;
};

}  // namespace korvanta::fuzz

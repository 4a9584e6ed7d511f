// clang-format off
#include <windows.h>
#include <shellapi.h>
// clang-format on

#include <cstdint>

#include "cli/viewer.hpp"

namespace korvanta::cli {

bool OpenInViewer(const std::filesystem::path& file) {
  // The shell's "open" verb: the program registered for the file's type.
  const HINSTANCE result =
      ShellExecuteW(nullptr, L"open", file.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
  // ShellExecuteW reports success as a value above 32.
  return reinterpret_cast<std::intptr_t>(result) > 32;
}

}  // namespace korvanta::cli

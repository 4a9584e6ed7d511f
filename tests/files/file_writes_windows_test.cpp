// What the Windows file system adds to the file writes: a writer terminated
// at any point leaves no empty or partial numbered plan.

// clang-format off
#include <windows.h>
// clang-format on

#include <gtest/gtest.h>

#include <chrono>
#include <cstddef>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "files/killed_writer.hpp"
#include "io/wide_text.hpp"
#include "test_support.hpp"

namespace korvanta {
namespace {

std::size_t EntryCount(const std::filesystem::path& folder) {
  std::error_code error;
  std::size_t count = 0;
  for (std::filesystem::directory_iterator entry(folder, error), end; !error && entry != end;
       entry.increment(error))
    ++count;
  return count;
}

TEST(NumberedFileKill, ATerminatedWriterLeavesOnlyWholePlans) {
  test::TempDir dir;
  std::wstring command =
      L"\"" + WideFromUtf8(KORVANTA_NUMBERED_WRITER_PATH) + L"\" \"" + dir.path().wstring() + L"\"";
  std::mt19937 random(20261209);
  std::uniform_int_distribution<int> microseconds(0, 4000);
  for (int round = 0; round < 30; ++round) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION writer{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                               nullptr, &startup, &writer));
    // A process takes long to start (under Wine a good part of a second):
    // the kill falls in the writes only once the first file has appeared.
    const std::size_t before = EntryCount(dir.path());
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (EntryCount(dir.path()) == before &&
           WaitForSingleObject(writer.hProcess, 1) == WAIT_TIMEOUT &&
           std::chrono::steady_clock::now() < give_up) {
    }
    std::this_thread::sleep_for(std::chrono::microseconds(microseconds(random)));
    TerminateProcess(writer.hProcess, 1);
    WaitForSingleObject(writer.hProcess, INFINITE);
    DWORD code = 0;
    GetExitCodeProcess(writer.hProcess, &code);
    CloseHandle(writer.hThread);
    CloseHandle(writer.hProcess);
    ASSERT_NE(code, 2u) << "the writer was not given its folder";
  }
  test::ExpectOnlyWholePlans(dir.path());
}

}  // namespace
}  // namespace korvanta

#pragma once

#include <sys/wait.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

namespace korvanta::test {

// A fresh folder below the system's temporary folder, removed at the end.
class TempDir {
 public:
  TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() /
            ("korvanta-test-" + std::to_string(rd()) + std::to_string(rd()));
    std::filesystem::create_directories(path_);
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return path_; }
  std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

 private:
  std::filesystem::path path_;
};

inline std::string ReadFile(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

inline void WriteFile(const std::filesystem::path& file, const std::string& bytes) {
  std::filesystem::create_directories(file.parent_path());
  std::ofstream out(file, std::ios::binary);
  out << bytes;
}

inline std::filesystem::path DataDir() {
  return KORVANTA_TEST_DATA;
}

// Route text written in a test: `marker` stands for the degree sign, the
// byte 0xB0 of the Windows-1252 route text.
inline std::string WithDegreeSign(std::string text, char marker) {
  for (char& c : text) {
    if (c == marker)
      c = '\xB0';
  }
  return text;
}

// Joins lines with CR LF, each line ended.
inline std::string CrLf(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines)
    out += l + "\r\n";
  return out;
}

struct CommandResult {
  int status = -1;
  std::string out;
  std::string err;
};

// Runs korvanta-cli with the given argument text (already shell-quoted) and
// optional standard input file; captures both output streams.
inline CommandResult RunCli(const std::string& args, const std::string& stdin_file = "") {
  TempDir dir;
  const auto out = dir / "out";
  const auto err = dir / "err";
  std::string cmd = std::string("'") + KORVANTA_CLI_PATH + "' " + args;
  if (!stdin_file.empty())
    cmd += " < '" + stdin_file + "'";
  cmd += " > '" + out.string() + "' 2> '" + err.string() + "'";
  const int raw = std::system(cmd.c_str());
  CommandResult r;
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  r.out = ReadFile(out);
  r.err = ReadFile(err);
  return r;
}

}  // namespace korvanta::test

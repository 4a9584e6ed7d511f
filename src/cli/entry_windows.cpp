// clang-format off
#include <windows.h>
// clang-format on
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/command_line.hpp"
#include "io/wide_text.hpp"
#include "settings/app_dir.hpp"

// The arguments arrive as UTF-16, so a route file or folder with any
// characters works; the rest of the program takes them in UTF-8. The console
// shows the UTF-8 output as it is.
int wmain(int argc, wchar_t** wargv) {
  SetConsoleOutputCP(CP_UTF8);
  // Route text on standard input is read as the bytes it is (a byte 0x1A
  // does not end it, CR LF stays for the line splitter).
  _setmode(_fileno(stdin), _O_BINARY);
  std::vector<std::string> arguments;
  arguments.reserve(static_cast<std::size_t>(argc));
  for (int index = 0; index < argc; ++index)
    arguments.push_back(korvanta::Utf8FromWide(wargv[index]));
  std::vector<char*> argv;
  for (std::string& argument : arguments)
    argv.push_back(argument.data());
  argv.push_back(nullptr);
  return korvanta::cli::RunCommandLine(argc, argv.data(), korvanta::RunningProgramFile());
}

#include "cli/command_line.hpp"
#include "io/utf8_path.hpp"

// The arguments arrive as the bytes the caller gave, UTF-8 on today's systems.
int main(int argc, char** argv) {
  return korvanta::cli::RunCommandLine(argc, argv, korvanta::PathFromUtf8(argv[0]));
}

// The process that the Windows kill test terminates: writes the kill tests'
// plan under numbered names into the folder it is given until it is
// terminated or the numbers run out. A program of its own, as Windows has no
// fork.

#include <filesystem>
#include <string>

#include "files/killed_writer.hpp"
#include "files/numbered_file.hpp"

int wmain(int argc, wchar_t** argv) {
  if (argc != 2)
    return 2;
  const std::filesystem::path folder(argv[1]);
  const std::string plan = korvanta::test::KilledWriterPlan();
  try {
    while (korvanta::NumberedFile::Write(folder, korvanta::test::KilledWriterName, plan)) {
    }
  } catch (...) {
    return 1;
  }
  return 0;
}

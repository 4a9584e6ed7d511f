#pragma once

// Runs another program as a whole process and reports what it cost, for the
// benchmarks that compare Korvanta with other programs.

#include <optional>
#include <string>
#include <vector>

namespace korvanta::bench {

// What one finished run of a program took.
struct ChildCost {
  int exit_status = -1;       // -1 when the program ended by a signal
  double cpu_seconds = 0;     // user and system time of the process
  double peak_mebibytes = 0;  // its largest resident set
};

// Runs `arguments` (the program first, found on the search path when it names
// no folder) with no input and its output thrown away, and waits for it.
// Empty when the program cannot be started (not installed).
std::optional<ChildCost> RunChild(const std::vector<std::string>& arguments);

}  // namespace korvanta::bench

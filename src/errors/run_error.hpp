#pragma once

#include <stdexcept>
#include <string>

namespace korvanta {

// The one failure type of a conversion run: a file that cannot be written, a
// number a writer needs that does not read. It carries the message shown to
// the user; the run catches it in one place, reports it and ends.
class RunError : public std::runtime_error {
 public:
  explicit RunError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace korvanta

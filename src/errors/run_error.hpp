#pragma once

#include <stdexcept>
#include <string>

namespace korvanta {

// The one failure type of a conversion run: a file or folder that cannot be
// written, a lock that cannot be had, a route a target cannot hold. It carries
// the message shown to the user. The run catches it once per target, reports
// that target as not written and goes on with the others.
class RunError : public std::runtime_error {
 public:
  explicit RunError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace korvanta

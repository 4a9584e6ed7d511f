#include "cli/input.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "route/cp1252.hpp"
#include "route/parser.hpp"

namespace korvanta::cli {

std::optional<std::string> ReadBytes(const std::string& file, std::string& error) {
  if (file.empty() || file == "-") {
    std::string bytes((std::istreambuf_iterator<char>(std::cin)), std::istreambuf_iterator<char>());
    if (std::cin.bad()) {
      error = std::string("standard input: ") + std::strerror(errno);
      return std::nullopt;
    }
    return bytes;
  }
  std::ifstream in(file, std::ios::binary);
  if (!in) {
    error = file + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (in.bad()) {
    error = file + ": " + std::strerror(errno);
    return std::nullopt;
  }
  return bytes;
}

std::optional<std::vector<std::string>> ReadRouteLines(const std::string& file,
                                                       std::string& error) {
  auto bytes = ReadBytes(file, error);
  if (!bytes)
    return std::nullopt;
  return SplitLines(InputToCp1252(*bytes));
}

}  // namespace korvanta::cli

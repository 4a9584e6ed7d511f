#include "cli/input.hpp"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "route/cp1252.hpp"
#include "route/parser.hpp"

namespace korvanta::cli {

std::optional<std::string> ReadBytes(const std::string& file, std::string& error) {
  const bool standard_input = file.empty() || file == "-";
  FileRead read = standard_input ? ReadStreamBytes(std::cin) : ReadFileBytes(PathFromUtf8(file));
  if (!read.Ok()) {
    error = (standard_input ? std::string("standard input") : file) + ": " + read.reason;
    return std::nullopt;
  }
  return std::move(read.bytes);
}

std::optional<std::vector<std::string>> ReadRouteLines(const std::string& file,
                                                       std::string& error) {
  auto bytes = ReadBytes(file, error);
  if (!bytes)
    return std::nullopt;
  return SplitLines(InputToCp1252(*bytes));
}

}  // namespace korvanta::cli

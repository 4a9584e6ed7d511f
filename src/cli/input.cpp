#include "cli/input.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>

#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "route/cp1252.hpp"

namespace korvanta::cli {

namespace {

std::optional<std::string> ReadBytes(const std::string& file, std::string& error) {
  const bool standard_input = file.empty() || file == "-";
  FileRead read = standard_input ? ReadStreamBytes(std::cin) : ReadFileBytes(PathFromUtf8(file));
  // Standard input reads through the C stream, which takes a read error for
  // the end of the text; a cut-off route must not pass for a whole one.
  if (standard_input && read.Ok() && std::ferror(stdin)) {
    read.status = ReadStatus::kCannotRead;
    read.reason = errno != 0 ? std::strerror(errno) : "read error";
  }
  if (!read.Ok()) {
    error = (standard_input ? std::string("standard input") : file) + ": " + read.reason;
    return std::nullopt;
  }
  return std::move(read.bytes);
}

}  // namespace

std::optional<std::string> ReadRouteText(const std::string& file, std::string& error) {
  const auto bytes = ReadBytes(file, error);
  if (!bytes)
    return std::nullopt;
  return InputToUtf8(*bytes);
}

}  // namespace korvanta::cli

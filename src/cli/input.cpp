#include "cli/input.hpp"

#include <iostream>

#include "cli/exit_codes.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"

namespace korvanta::cli {

CliInput ReadInput(const std::string& file, const std::string& from) {
  CliInput result;
  const bool standard_input = file.empty() || file == "-";
  FileRead read = standard_input ? ReadStreamBytes(std::cin) : ReadFileBytes(PathFromUtf8(file));
  if (!read.Ok()) {
    result.input.error =
        (standard_input ? std::string("standard input") : file) + ": " + read.reason;
    result.exit_status = kExitIoError;
    return result;
  }
  // An empty name lets the content decide; AddFromOption checked any other.
  result.input = MakeInputSource(read.bytes, InputKindFromName(from));
  if (!result.input.source)
    result.exit_status = kExitParseFailed;
  return result;
}

void AddFromOption(CLI::App& command, std::string& from) {
  command
      .add_option("--from", from,
                  "the kind of the input: text (a route finder's text), pln (an FSX, Prepar3D "
                  "or MSFS flight plan), fms (an X-Plane plan) or gpx (a GPX file); default: "
                  "decided by the content")
      ->check(CLI::IsMember({"text", "pln", "fms", "gpx"}));
}

}  // namespace korvanta::cli

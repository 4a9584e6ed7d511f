#include "cli/input.hpp"

#include <fmt/core.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "cli/exit_codes.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"
#include "readers/reader_table.hpp"

namespace korvanta::cli {

CliInput ReadInput(const std::string& file, const std::string& from) {
  CliInput result;
  const bool standard_input = file.empty() || file == "-";
  // One byte past the limit is enough to refuse an input as too large.
  constexpr std::size_t kReadLimit = kInputSizeLimit + 1;
  FileRead read = standard_input ? ReadStreamBytes(std::cin, kReadLimit)
                                 : ReadInputBytes(PathFromUtf8(file), kReadLimit);
  // Standard input reads through the C stream, which takes a read error for
  // the end of the text; a cut-off route must not pass for a whole one.
  if (standard_input && read.Ok() && std::ferror(stdin)) {
    read.status = ReadStatus::kCannotRead;
    read.reason = errno != 0 ? std::strerror(errno) : "read error";
  }
  // Standard input that fails or holds nothing gives no route, as a text
  // that does not parse; a file that cannot be read is an error of the run.
  if (standard_input && read.Ok() && read.bytes.empty()) {
    read.status = ReadStatus::kCannotRead;
    read.reason = "empty";
  }
  if (!read.Ok()) {
    result.input.error =
        (standard_input ? std::string("standard input") : file) + ": " + read.reason;
    result.exit_status = standard_input ? kExitParseFailed : kExitIoError;
    return result;
  }
  // An empty name lets the content decide; AddFromOption checked any other.
  result.input = MakeInputSource(read.bytes, InputKindFromName(from));
  if (!result.input.source)
    result.exit_status = kExitParseFailed;
  return result;
}

std::optional<RouteReading> ReadRoute(const RouteSource& source, const ParseOptions& options,
                                      const AirportDatabase& airports, int& exit_status) {
  RouteReading route = source.Read(options, airports);
  exit_status = kExitParseFailed;
  switch (route.result) {
    case ParseResult::kParsed:
      if (route.fault) {
        fmt::print(stderr, "{}\n", *route.fault);
        return std::nullopt;
      }
      exit_status = kExitOk;
      return route;
    case ParseResult::kWrongFormat:
      fmt::print(stderr, "{}\n", kWrongFormat);
      return std::nullopt;
    case ParseResult::kNoDetails:
      fmt::print(stderr, "{}\n", kNoDetailsReason);
      return std::nullopt;
    case ParseResult::kUnreadable:
      fmt::print(stderr, "{}\n", route.message);
      return std::nullopt;
  }
  return std::nullopt;
}

namespace {

std::vector<std::string> FromWords() {
  std::vector<std::string> words;
  for (const ReaderDescriptor& reader : Readers())
    words.emplace_back(reader.from_word);
  return words;
}

}  // namespace

void AddFromOption(CLI::App& command, std::string& from) {
  command
      .add_option("--from", from,
                  "the kind of the input: " + FromWordsHelp() + "; default: decided by the content")
      ->check(CLI::IsMember(FromWords()));
}

}  // namespace korvanta::cli

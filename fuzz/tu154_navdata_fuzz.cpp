// The Tu-154 navigation data loader over arbitrary file text.
//
// Input: one byte choosing the file kind, then the file's text. Every stored
// key is found again, at the first row of that key in load order. A line that the kind reads but
// that holds too few fields ends the load with exactly the message naming the file, the line and
// the counts, after one row for every line read before it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>

#include <fmt/format.h>

#include "errors/run_error.hpp"
#include "fuzz_support.hpp"
#include "navdata/kln_navigation.hpp"
#include "route/tables.hpp"

namespace {

using korvanta::KlnNavigationFile;
using korvanta::fuzz::Require;

constexpr std::string_view kSource = "nav/PTT_APT.DAT";

bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// Fields of a line, counted up to `wanted`: runs of blanks and control
// characters separate them, and one that opens with a double quote runs to
// the next double quote.
std::size_t FieldCount(std::string_view line, std::size_t wanted) {
  std::size_t count = 0;
  std::size_t pos = 0;
  while (count < wanted) {
    while (pos < line.size() && IsSeparator(line[pos]))
      ++pos;
    if (pos == line.size())
      break;
    ++count;
    if (line[pos] == '"') {
      const std::size_t close = line.find('"', pos + 1);
      pos = close == std::string_view::npos ? line.size() : close + 1;
    } else {
      while (pos < line.size() && !IsSeparator(line[pos]))
        ++pos;
    }
  }
  return count;
}

struct Expected {
  std::size_t rows = 0;
  std::string error;  // empty when the whole text loads
};

// What the load must give: lines end at CR LF, LF or a lone CR.
Expected ExpectedLoad(KlnNavigationFile kind, std::string_view bytes) {
  const bool intersections = kind == KlnNavigationFile::kIntersections;
  const std::size_t needed = intersections ? 3 : kind == KlnNavigationFile::kVors ? 5 : 4;
  Expected expected;
  std::size_t number = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    std::size_t next = bytes.size();
    if (end == std::string_view::npos) {
      end = bytes.size();
    } else {
      next = bytes.substr(end, 2) == "\r\n" ? end + 2 : end + 1;
    }
    const std::string_view line = bytes.substr(start, end - start);
    ++number;
    start = next;
    const bool taken = intersections ? !line.starts_with(';') : line.starts_with("Lon=");
    if (!taken)
      continue;
    const std::size_t count = FieldCount(line, needed);
    if (count < needed) {
      expected.error = fmt::format("Cannot read {}, line {}: {} fields where {} are needed",
                                   kSource, number, count, needed);
      break;
    }
    ++expected.rows;
  }
  return expected;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0)
    return 0;
  const auto kind = static_cast<KlnNavigationFile>(data[0] % 4);
  const std::string_view bytes = korvanta::fuzz::AsText(data + 1, size - 1);
  const Expected expected = ExpectedLoad(kind, bytes);

  korvanta::KlnNavigationPoints navigation_points;
  std::size_t counter = 0;
  std::string error;
  try {
    korvanta::LoadKlnNavigationText(kind, bytes, kSource, navigation_points, counter);
  } catch (const korvanta::RunError& e) {
    error = e.what();
  }
  Require(error == expected.error, "not the error a short line gives, or one without cause");
  Require(navigation_points.Count() == expected.rows, "not one row per line read");
  Require(counter == expected.rows, "the running count is not the rows taken");

  // Every key is found at its first row in load order.
  std::unordered_map<std::string_view, std::size_t> first_row;
  for (std::size_t row = 0; row < navigation_points.Count(); ++row)
    first_row.try_emplace(navigation_points.Rows()[row].id, row);
  for (const korvanta::KlnNavigationPoint& point : navigation_points.Rows()) {
    const korvanta::KlnNavigationPoint* found = navigation_points.Find(point.id);
    Require(found != nullptr, "a stored key is not found");
    const auto at = static_cast<std::size_t>(found - navigation_points.Rows().data());
    Require(at == first_row.at(point.id), "the key found the wrong row");
  }
  return 0;
}

// The airport database loader over arbitrary database text.
//
// Every line's code (characters 25-28) is found again by a table lookup, and
// the row found carries the elevation that the first line with that code
// gives when characters 70-74 are read plainly as a decimal integer (0 when
// they are not one). A four-character code gives that elevation through the
// database's own look-up too, with the first line's name (trimmed) and, when
// the list places the airport, a place on the globe.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "fuzz_support.hpp"
#include "route/airports.hpp"
#include "route/position.hpp"
#include "text/cp1252.hpp"
#include "text/numbers.hpp"

namespace {

using korvanta::fuzz::Require;

// Optional spaces, an optional sign, one or more digits and nothing more.
std::optional<std::int64_t> PlainInteger(std::string_view field) {
  std::size_t pos = 0;
  while (pos < field.size() && field[pos] == ' ')
    ++pos;
  bool negative = false;
  if (pos < field.size() && (field[pos] == '+' || field[pos] == '-'))
    negative = field[pos++] == '-';
  if (pos == field.size())
    return std::nullopt;
  std::int64_t value = 0;
  for (; pos < field.size(); ++pos) {
    if (field[pos] < '0' || field[pos] > '9')
      return std::nullopt;
    value = value * 10 + (field[pos] - '0');
  }
  return negative ? -value : value;
}

std::string_view Columns(std::string_view line, std::size_t first, std::size_t count) {
  return first < line.size() ? line.substr(first, count) : std::string_view();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = korvanta::fuzz::AsText(data, size);
  korvanta::AirportDatabase db;
  korvanta::LoadAirportLines(bytes, db);
  Require(db.airports_loaded, "database not marked loaded");

  // The first line of every code, in file order, with its elevation.
  std::unordered_map<std::string, std::int64_t> first_elevation;
  std::unordered_map<std::string, std::string_view> first_name;
  std::size_t lines = 0;
  for (std::size_t start = 0; start < bytes.size();) {
    std::size_t end = bytes.find('\n', start);
    const std::size_t next = end == std::string_view::npos ? bytes.size() : end + 1;
    if (end == std::string_view::npos)
      end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (line.ends_with('\r'))
      line.remove_suffix(1);
    const std::string code(Columns(line, 24, 4));
    first_elevation.try_emplace(code, PlainInteger(Columns(line, 69, 5)).value_or(0));
    first_name.try_emplace(code, Columns(line, 0, 24));
    ++lines;
    start = next;
  }
  Require(db.runways.Count() == lines, "not one row per line");

  for (const auto& [code, elevation] : first_elevation) {
    const korvanta::AirportRunway* row = db.runways.FindFirst(code);
    Require(row != nullptr, "a code of the file is not found");
    Require(row->icao == code, "the look-up found another code");
    Require(row->alt == elevation, "the row found has another elevation than the first line");
    // A route names the airport in UTF-8; the file's codes are Windows-1252.
    if (code.size() != 4)
      continue;
    const std::string id = korvanta::Cp1252ToUtf8(code);
    Require(db.Elevation(id) == elevation, "the database gives another elevation");
    Require(db.Name(id) == korvanta::Cp1252ToUtf8(korvanta::Trim(first_name.at(code))),
            "the database gives another name than the first line's");
    if (const auto place = db.Location(id)) {
      Require(place->latitude >= -korvanta::kLatitudeLimit &&
                  place->latitude <= korvanta::kLatitudeLimit &&
                  place->longitude >= -korvanta::kLongitudeLimit &&
                  place->longitude <= korvanta::kLongitudeLimit,
              "an airport placed off the globe");
    }
  }
  return 0;
}

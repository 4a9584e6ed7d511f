#include "readers/route_text_parser.hpp"

#include <algorithm>
#include <cstddef>
#include <optional>

#include <fmt/format.h>

#include "route/position.hpp"
#include "text/numbers.hpp"
#include "text/utf8.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kHeadingMarker = "Computed route from";
constexpr std::string_view kCruiseMarker = "Cruise altitude";
constexpr std::string_view kFlightLevelMarker = "between FL";
constexpr std::string_view kDetailsMarker = "Details:";
constexpr std::string_view kDetailsHeading = "ID FREQ TRK";
constexpr std::string_view kTracksMarker = "Tracks ";
constexpr std::string_view kDestinationItem = "XXXX (1111) -DCT-";
constexpr std::size_t kHeadingLength = 128;  // characters
constexpr std::int32_t kDefaultCruiseAlt = 30000;

bool StartsWith(std::string_view text, std::string_view prefix) {
  return text.substr(0, prefix.size()) == prefix;
}

// Whether the line starts with `prefix` once its runs of blanks are squeezed
// to one blank each, as the parser reads every line: "Cruise  altitude"
// starts with "Cruise altitude".
bool SqueezedStartsWith(std::string_view line, std::string_view prefix) {
  std::size_t matched = 0;
  bool after_non_blank = true;
  for (const char c : line) {
    if (matched == prefix.size())
      return true;
    const bool kept = c != ' ' || after_non_blank;
    after_non_blank = c != ' ';
    if (kept && c != prefix[matched++])
      return false;
  }
  return matched == prefix.size();
}

bool IsBlank(std::string_view line) {
  return Trim(line).empty();
}

// Blank-separated words; tabs belong to the words.
std::vector<std::string_view> Words(std::string_view text) {
  std::vector<std::string_view> words;
  std::size_t i = 0;
  while (i < text.size()) {
    while (i < text.size() && text[i] == ' ')
      ++i;
    const std::size_t start = i;
    while (i < text.size() && text[i] != ' ')
      ++i;
    if (i > start)
      words.push_back(text.substr(start, i - start));
  }
  return words;
}

// Word `n`, counting from 1; empty when the text has fewer words.
std::string_view Word(const std::vector<std::string_view>& words, std::size_t n) {
  return n >= 1 && n <= words.size() ? words[n - 1] : std::string_view{};
}

std::string SlashToUnderscore(std::string name) {
  if (const auto slash = name.find('/'); slash != std::string::npos)
    name[slash] = '_';
  return name;
}

// The part of `text` before its first "(" (the whole text when it has none), trimmed.
std::string BeforeParenthesis(std::string_view text) {
  return std::string(Trim(text.substr(0, text.find('('))));
}

// The (up to) four characters after the "(" at `paren` of the heading.
std::string_view CodeAfter(std::string_view heading, std::size_t paren) {
  return CharacterSlice(heading.substr(paren + 1), 0, 4);
}

void ReadHeading(std::string_view line, bool super80, RouteHeader& header) {
  const std::size_t at = line.find(kHeadingMarker);
  const std::string_view heading = CharacterSlice(line.substr(at), 0, kHeadingLength);
  const std::size_t open = heading.find('(');

  if (super80) {
    auto code_after = [&](std::size_t paren) -> std::string {
      if (paren == std::string_view::npos)
        return {};
      std::string_view code = CodeAfter(heading, paren);
      if (code.ends_with(',') && CharacterCount(code) == 4)
        code.remove_suffix(1);
      return std::string(Trim(code));
    };
    header.departure_name = code_after(open);
    header.destination_name =
        code_after(open == std::string_view::npos
                       ? open
                       : heading.find('(', open + 1 + CodeAfter(heading, open).size()));
    return;
  }

  header.departure_name =
      SlashToUnderscore(BeforeParenthesis(heading.substr(kHeadingMarker.size())));
  std::string_view rest = open == std::string_view::npos
                              ? std::string_view{}
                              : CharacterSlice(line.substr(at + open), 0, kHeadingLength);
  const std::size_t to = rest.find("to");
  rest = to == std::string_view::npos ? std::string_view{} : rest.substr(to + 2);
  header.destination_name = SlashToUnderscore(BeforeParenthesis(rest));
}

std::int32_t ReadCruiseAlt(std::string_view line) {
  const std::size_t at = line.find(kFlightLevelMarker);
  if (at == std::string_view::npos)
    return kDefaultCruiseAlt;
  const auto level =
      ReadInteger(Trim(CharacterSlice(line.substr(at + kFlightLevelMarker.size()), 0, 3)));
  return level ? static_cast<std::int32_t>(*level * 100) : kDefaultCruiseAlt;
}

// The items of the route chain, handed out one at a time as the details rows
// ask for them: a chain of millions of points is never held as a list.
//
// A chain line is cut into its points at ">" (a run of ">" is one
// separator). A line break may fall before a ">" as well as after it, so the
// last piece of every line but the chain's last is a point too; the chain's
// last piece is the destination, which the closing item stands for.
class ChainItems {
 public:
  ChainItems(const std::vector<std::string>& lines, std::size_t first, std::size_t end)
      : lines_(lines), line_(first), end_(end) {}

  // The next item; the closing item after the chain's points; none after that.
  std::optional<std::string_view> Next() {
    while (line_ < end_) {
      const std::string_view line = lines_[line_];
      if (!in_line_) {
        pos_ = std::min(line.find_first_not_of('>'), line.size());
        in_line_ = true;
      }
      if (const std::size_t gt = line.find('>', pos_); gt != std::string_view::npos) {
        const std::string_view piece = line.substr(pos_, gt - pos_);
        pos_ = std::min(line.find_first_not_of('>', gt), line.size());
        return piece;
      }
      const std::string_view last_piece = line.substr(pos_);
      const bool last_line = line_ + 1 == end_;
      ++line_;
      in_line_ = false;
      if (!last_line && !IsBlank(last_piece))
        return last_piece;
    }
    if (closed_)
      return std::nullopt;
    closed_ = true;
    return kDestinationItem;
  }

 private:
  const std::vector<std::string>& lines_;
  std::size_t line_;
  std::size_t end_;
  std::size_t pos_ = 0;
  bool in_line_ = false;
  bool closed_ = false;
};

// The airway by which the route leaves the point of route item `item`.
std::string AirwayOf(std::string_view item) {
  const std::string_view word = Word(Words(item), 3);
  if (word == "-DCT-" || word == "-SID-" || word == "-STAR-" || word.size() < 2)
    return {};
  return std::string(word.substr(1, word.size() - 2));
}

// Whether a word starts as a latitude does: "N" or "S", then a digit.
bool LooksLikeLatitude(std::string_view word) {
  return word.size() >= 2 && (word[0] == 'N' || word[0] == 'S') && word[1] >= '0' && word[1] <= '9';
}

// The words of a details row once what follows the longitude is dropped:
// the text is cut just after the character that follows the last double
// quote. A line without one is used whole. When the last quote closes the
// latitude (the longitude lost its own), the word after it is the longitude
// still: the row's position is then the two coordinates, not the distance
// and the latitude, so that a fault names the text that is wrong.
std::vector<std::string_view> WordsUpToLongitude(std::string_view line) {
  std::string_view cut = line;
  if (const auto quote = line.rfind('"'); quote != std::string_view::npos) {
    cut = line.substr(0, quote + 1 + CharacterSlice(line.substr(quote + 1), 0, 1).size());
  }
  std::vector<std::string_view> words = Words(cut);
  if (!words.empty() && LooksLikeLatitude(words.back())) {
    if (const std::vector<std::string_view> rest = Words(line.substr(cut.size())); !rest.empty())
      words.push_back(rest.front());
  }
  return words;
}

// The row's position: its last two words up to the longitude, kept as the
// table holds them (cut to their widths) and read once, the same in every
// reading.
void ReadPosition(const std::vector<std::string_view>& words, Waypoint& row) {
  row.lat = CutToWidth(Word(words, words.size() - 1), WaypointTable::kLatWidth);
  row.lon = CutToWidth(Word(words, words.size()), WaypointTable::kLonWidth);
  const CoordinateReading latitude = ReadDmsLatitude(row.lat);
  const CoordinateReading longitude = ReadDmsLongitude(row.lon);
  row.position = {latitude.hundredths, longitude.hundredths};
  row.lat_fault = latitude.fault;
  row.lon_fault = longitude.fault;
}

Waypoint TextModeRow(std::string_view line) {
  const auto words = WordsUpToLongitude(line);
  const auto line_words = Words(line);
  const std::size_t n = words.size();

  Waypoint row;
  row.id = std::string(Word(words, 1));
  row.track = std::string(Word(line_words, n == 6 ? 3 : 2));
  ReadPosition(words, row);
  if (n == 6) {
    const std::string_view freq = Word(words, 2);
    const double mhz = ReadDecimal(freq).value_or(0.0);
    row.kind = mhz >= 108.0 && mhz <= 118.0 ? WaypointKind::kVor : WaypointKind::kNdb;
    row.freq = std::string(freq);
  } else {
    row.kind = WaypointKind::kIntersection;
    row.freq = "0";
  }
  return row;
}

Waypoint DecimalModeRow(std::string_view line) {
  const auto words = Words(line);
  Waypoint row;
  row.id = std::string(Word(words, 1));
  ReadPosition(WordsUpToLongitude(line), row);
  if (words.size() == 7) {
    row.freq = std::string(Word(words, 2));
    row.kind = row.freq.find('.') != std::string::npos ? WaypointKind::kVor : WaypointKind::kNdb;
  } else {
    row.kind = WaypointKind::kIntersection;
    row.freq = "0";
  }
  return row;
}

// The table's last row is one end of the route: an airport with the
// database's elevation. The header takes its identifier, position and
// elevation.
void MakeLastAnAirportEnd(WaypointTable& waypoints, const AirportDatabase& airports,
                          std::string& icao, Position& position, std::int32_t& elevation) {
  Waypoint end = waypoints.Rows().back();
  icao = end.id;
  position = end.position;
  elevation = airports.Elevation(end.id);
  end.alt = elevation;
  end.kind = WaypointKind::kAirport;
  waypoints.ReplaceLast(std::move(end));
}

// The line of the cruise altitude, which ends the heading lines.
std::optional<std::size_t> CruiseLine(const std::vector<std::string>& lines) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (StartsWith(SqueezeBlanks(lines[i]), kCruiseMarker))
      return i;
  }
  return std::nullopt;
}

// The end of the route chain that starts at `chain_start`: a blank line, the
// line of the details list's marker, or the text's end.
std::size_t ChainEnd(const std::vector<std::string>& lines, std::size_t chain_start) {
  std::size_t end = chain_start;
  while (end < lines.size() && !IsBlank(lines[end]) &&
         !(end > chain_start && SqueezedStartsWith(lines[end], kDetailsMarker)))
    ++end;
  return end;
}

// The destination's code in the heading: the parenthesised text after "to"
// ("... to BETA FIELD (EBBB)"), "to" sought after the departure's code.
std::optional<std::string> HeadingDestination(std::string_view line) {
  const std::size_t at = line.find(kHeadingMarker);
  if (at == std::string_view::npos)
    return std::nullopt;
  const std::string_view heading = line.substr(at + kHeadingMarker.size());
  const std::size_t departure_close = heading.find(')');
  const std::size_t to =
      heading.find(" to ", departure_close == std::string_view::npos ? 0 : departure_close);
  const std::size_t open = heading.find('(', to == std::string_view::npos ? heading.size() : to);
  const std::size_t close =
      heading.find(')', open == std::string_view::npos ? heading.size() : open);
  if (close == std::string_view::npos)
    return std::nullopt;
  const std::string_view code = Trim(heading.substr(open + 1, close - open - 1));
  return code.empty() ? std::nullopt : std::optional<std::string>(code);
}

// The first word of the route chain's last item ("KOMAR (98) -STAR- > EBBB (130)"
// ends with EBBB).
std::optional<std::string> ChainDestination(const std::vector<std::string>& lines,
                                            std::size_t chain_start, std::size_t chain_end) {
  if (chain_end == chain_start)
    return std::nullopt;
  const std::string_view last_line = lines[chain_end - 1];
  const std::size_t gt = last_line.rfind('>');
  const std::string_view last_item =
      gt == std::string_view::npos ? last_line : last_line.substr(gt + 1);
  const std::string_view word = Word(Words(last_item), 1);
  return word.empty() ? std::nullopt : std::optional<std::string>(word);
}

}  // namespace

std::optional<std::string> CutOffFault(const std::vector<std::string>& lines,
                                       const WaypointTable& waypoints) {
  const std::optional<std::size_t> cruise = CruiseLine(lines);
  if (!cruise || waypoints.IsEmpty())
    return std::nullopt;
  std::optional<std::string> destination;
  for (std::size_t i = 0; i < *cruise && !destination; ++i)
    destination = HeadingDestination(SqueezeBlanks(lines[i]));
  if (!destination)
    destination = ChainDestination(lines, *cruise + 1, ChainEnd(lines, *cruise + 1));
  const std::string& last = waypoints.Rows().back().id;
  // The table holds identifiers up to its width.
  if (!destination || CutToWidth(*destination, WaypointTable::kIdWidth) == last)
    return std::nullopt;
  return fmt::format("The details list ends at {}, but the route goes to {}: the text is cut off",
                     last, *destination);
}

std::string SqueezeBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool after_non_blank = true;
  for (const char c : text) {
    if (c != ' ' || after_non_blank)
      out += c;
    after_non_blank = c != ' ';
  }
  return out;
}

std::size_t DetailsLineCount(std::string_view text) {
  std::size_t most = 0;
  std::optional<std::size_t> rows;  // the rows of the list being counted
  ForEachLine(text, [&](std::string_view line) {
    if (SqueezedStartsWith(line, kDetailsHeading)) {
      rows = 0;
    } else if (rows) {
      if (IsBlank(line) || (*rows > 0 && SqueezedStartsWith(line, kTracksMarker)))
        rows.reset();
      else
        most = std::max(most, ++*rows);
    }
  });
  return most;
}

ParseResult ParseRoute(const std::vector<std::string>& lines, const ParseOptions& options,
                       const AirportDatabase& airports, WaypointTable& waypoints,
                       RouteHeader& header) {
  waypoints.Clear();
  // Every line is read with its runs of blanks squeezed to one; the lines
  // themselves stay as the caller has them.
  const std::optional<std::size_t> cruise = CruiseLine(lines);
  for (std::size_t i = 0; i < lines.size() && i <= cruise.value_or(lines.size()); ++i) {
    const std::string line = SqueezeBlanks(lines[i]);
    if (line.find(kHeadingMarker) != std::string::npos) {
      ReadHeading(line, options.super80, header);
    }
  }
  if (!cruise || *cruise + 1 >= lines.size())
    return ParseResult::kWrongFormat;
  header.cruise_altitude = ReadCruiseAlt(SqueezeBlanks(lines[*cruise]));

  const std::size_t chain_start = *cruise + 1;
  const std::size_t i = ChainEnd(lines, chain_start);
  ChainItems items(lines, chain_start, i);

  std::size_t heading = i;
  while (heading < lines.size() && !SqueezedStartsWith(lines[heading], kDetailsHeading))
    ++heading;
  if (heading >= lines.size() || lines.size() - heading - 1 < 2)
    return ParseResult::kNoDetails;

  // The rows: up to a blank line, or a "Tracks " line after the first row.
  for (std::size_t l = heading + 1; l < lines.size() && !IsBlank(lines[l]); ++l) {
    if (l > heading + 1 && SqueezedStartsWith(lines[l], kTracksMarker))
      break;
    Waypoint row = options.mode == ParseMode::kText ? TextModeRow(lines[l])
                                                    : DecimalModeRow(SqueezeBlanks(lines[l]));
    row.alt = 0;
    const std::optional<std::string_view> item = items.Next();
    row.route = item ? AirwayOf(*item) : std::string{};
    waypoints.Append(std::move(row));
    if (l == heading + 1) {
      MakeLastAnAirportEnd(waypoints, airports, header.departure_icao, header.departure_position,
                           header.departure_elevation);
    }
  }
  if (waypoints.IsEmpty())
    return ParseResult::kNoDetails;

  MakeLastAnAirportEnd(waypoints, airports, header.destination_icao, header.destination_position,
                       header.destination_elevation);
  return ParseResult::kParsed;
}

}  // namespace korvanta

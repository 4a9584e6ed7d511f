#include "navdata/kln_navigation.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <system_error>

#include "errors/run_error.hpp"
#include "io/file_read.hpp"
#include "io/utf8_path.hpp"

namespace korvanta {

namespace {

constexpr std::size_t kProgressEvery = 100;
constexpr std::size_t kBracketWindow = 16;
constexpr std::string_view kDatLineStart = "Lon=";
constexpr char kComment = ';';
constexpr char kQuote = '"';

// The most fields any line is read up to.
constexpr std::size_t kMaxFields = 5;

// The fields of one line; only the first `count` are set.
struct Fields {
  struct Piece {
    const char* data;
    std::size_t size;
  };
  Piece at[kMaxFields];
  std::size_t count = 0;

  std::string_view operator[](std::size_t i) const { return {at[i].data, at[i].size}; }
};

bool IsSeparator(char c) {
  return static_cast<unsigned char>(c) <= 0x20;
}

// The position of the first separator at or after `pos`, or the line's
// length. Eight bytes are tested at a time: a byte below 0x21 sets the high
// bit of its lane in `(word - 0x21..) & ~word & 0x80..`, and the lowest lane
// so marked is the first such byte (a borrow only runs upwards from it).
std::size_t NextSeparator(std::string_view line, std::size_t pos) {
  constexpr std::uint64_t kOnes = 0x0101010101010101u;
  constexpr std::uint64_t kHighs = 0x8080808080808080u;
  if constexpr (std::endian::native == std::endian::little) {
    while (pos + 8 <= line.size()) {
      std::uint64_t word;
      std::memcpy(&word, line.data() + pos, sizeof word);
      const std::uint64_t marks = (word - kOnes * 0x21) & ~word & kHighs;
      if (marks)
        return pos + static_cast<std::size_t>(std::countr_zero(marks)) / 8;
      pos += 8;
    }
  }
  while (pos < line.size() && !IsSeparator(line[pos]))
    ++pos;
  return pos;
}

// Splits a line at runs of blanks and control characters, up to `wanted`
// fields. A field that begins with a double quote runs to the next double
// quote (or the line's end), without the quotes.
void Split(std::string_view line, std::size_t wanted, Fields& fields) {
  fields.count = 0;
  std::size_t pos = 0;
  while (fields.count < wanted) {
    while (pos < line.size() && IsSeparator(line[pos]))
      ++pos;
    if (pos >= line.size())
      break;
    std::size_t begin = pos;
    std::size_t end = 0;
    if (line[pos] == kQuote) {
      begin = pos + 1;
      end = std::min(line.find(kQuote, begin), line.size());
      pos = end + 1;
    } else {
      pos = NextSeparator(line, pos);
      end = pos;
    }
    fields.at[fields.count++] = {line.data() + begin, end - begin};
  }
}

// The run's error report for a navigation file that did not read.
[[noreturn]] void ThrowUnreadable(const std::filesystem::path& file, const FileRead& read) {
  throw RunError(ReadFailureText(file, read, kNavigationFileLimit));
}

std::size_t CountLineFeeds(std::string_view bytes) {
  std::size_t count = 0;
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  while ((p = static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p))))) {
    ++count;
    ++p;
  }
  return count;
}

// Calls `take(line, number)` for every line of the text; lines end at CR LF,
// LF or a lone CR, and a last line end gives no extra empty line.
template <typename Take>
void ForEachLine(std::string_view bytes, Take&& take) {
  const char* p = bytes.data();
  const char* const end = p + bytes.size();
  std::size_t number = 1;
  while (p < end) {
    const auto* lf =
        static_cast<const char*>(std::memchr(p, '\n', static_cast<std::size_t>(end - p)));
    if (!lf)
      lf = end;
    const auto* cr =
        static_cast<const char*>(std::memchr(p, '\r', static_cast<std::size_t>(lf - p)));
    const char* line_end = cr ? cr : lf;
    take(std::string_view(p, static_cast<std::size_t>(line_end - p)), number++);
    // CR LF is one line end; a lone CR ends a line too.
    if (cr && cr + 1 != lf)
      p = cr + 1;
    else
      p = lf == end ? end : lf + 1;
  }
}

std::size_t IdentifierField(KlnNavigationFile kind) {
  return kind == KlnNavigationFile::kVors ? 4 : 3;
}

}  // namespace

std::string_view IntegerPart(std::string_view text) {
  const std::size_t point = text.find('.');
  return point == std::string_view::npos ? std::string_view() : text.substr(0, point);
}

std::string KlnPointKey(std::string_view identifier, std::string_view lon, std::string_view lat) {
  const std::string_view lon_part = IntegerPart(lon);
  const std::string_view lat_part = IntegerPart(lat);
  std::string key;
  key.reserve(identifier.size() + lon_part.size() + lat_part.size());
  key.append(identifier).append(lon_part).append(lat_part);
  return key;
}

std::string_view BracketValue(std::string_view field) {
  const std::size_t open = field.find('[');
  if (open == std::string_view::npos)
    return {};
  const std::string_view window = field.substr(open + 1, kBracketWindow);
  const std::size_t close = window.find(']');
  return close == std::string_view::npos ? std::string_view() : window.substr(0, close);
}

void LoadKlnNavigationText(KlnNavigationFile kind, std::string_view bytes, std::string_view source,
                           KlnNavigationPoints& navigation_points, std::size_t& counter,
                           const KlnLoadProgress& progress) {
  const bool intersections = kind == KlnNavigationFile::kIntersections;
  const std::size_t needed = intersections ? 3 : IdentifierField(kind) + 1;
  ForEachLine(bytes, [&](std::string_view line, std::size_t number) {
    if (intersections ? (!line.empty() && line.front() == kComment)
                      : !line.starts_with(kDatLineStart))
      return;
    Fields fields;
    Split(line, needed, fields);
    if (fields.count < needed) {
      throw RunError(fmt::format("Cannot read {}, line {}: {} fields where {} are needed", source,
                                 number, fields.count, needed));
    }
    std::string_view identifier, lat, lon;
    if (intersections) {
      identifier = fields[0];
      lat = fields[1];
      lon = fields[2];
    } else {
      lon = BracketValue(fields[0]);
      lat = BracketValue(fields[1]);
      identifier = BracketValue(fields[IdentifierField(kind)]);
    }
    // The key is built from the texts as the table stores them.
    lat = lat.substr(0, KlnNavigationPoints::kLatWidth);
    lon = lon.substr(0, KlnNavigationPoints::kLonWidth);
    navigation_points.Append(
        KlnNavigationPoint{KlnPointKey(identifier, lon, lat), std::string(lat), std::string(lon)});

    if (progress && counter % kProgressEvery == 0)
      progress(counter);
    ++counter;
  });
}

void LoadKlnNavigation(const std::filesystem::path& folder, KlnNavigationPoints& navigation_points,
                       const KlnLoadProgress& progress) {
  navigation_points.Clear();
  // The files are read ahead so that the table is sized once, but they are
  // taken in load order: a file that cannot be read is reported only after
  // the files before it have loaded (and a broken line in one of them has
  // ended the load first), as when each file is read and closed in turn.
  std::array<FileRead, kTuNavFileNames.size()> files;
  std::size_t readable = 0;
  std::size_t lines = 0;
  for (; readable < files.size(); ++readable) {
    files[readable] = ReadFileBytes(folder / kTuNavFileNames[readable], kNavigationFileLimit);
    if (!files[readable].Ok())
      break;
    lines += CountLineFeeds(files[readable].bytes) + 1;
  }
  navigation_points.Reserve(lines);
  std::size_t counter = 0;
  for (std::size_t i = 0; i < readable; ++i) {
    const std::string source = ShownPath(folder / kTuNavFileNames[i]);
    LoadKlnNavigationText(static_cast<KlnNavigationFile>(i), files[i].bytes, source,
                          navigation_points, counter, progress);
  }
  if (readable < files.size())
    ThrowUnreadable(folder / kTuNavFileNames[readable], files[readable]);
}

}  // namespace korvanta

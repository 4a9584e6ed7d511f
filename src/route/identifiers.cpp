#include "route/identifiers.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <system_error>
#include <vector>

#include "text/numbers.hpp"
#include "text/text.hpp"
#include "text/utf8.hpp"

namespace korvanta {

namespace {

// The letters of the Latin-1 Supplement and Latin Extended-A blocks without
// their accents, one run of code points per entry.
struct LetterRun {
  char32_t first;
  char32_t last;
  std::string_view letters;
};

constexpr LetterRun kLetterRuns[] = {
    {0xC0, 0xC5, "A"},
    {0xC6, 0xC6, "AE"},
    {0xC7, 0xC7, "C"},
    {0xC8, 0xCB, "E"},
    {0xCC, 0xCF, "I"},
    {0xD0, 0xD0, "D"},
    {0xD1, 0xD1, "N"},
    {0xD2, 0xD6, "O"},
    {0xD8, 0xD8, "O"},
    {0xD9, 0xDC, "U"},
    {0xDD, 0xDD, "Y"},
    {0xDE, 0xDE, "TH"},
    {0xDF, 0xDF, "SS"},
    {0xE0, 0xE5, "A"},
    {0xE6, 0xE6, "AE"},
    {0xE7, 0xE7, "C"},
    {0xE8, 0xEB, "E"},
    {0xEC, 0xEF, "I"},
    {0xF0, 0xF0, "D"},
    {0xF1, 0xF1, "N"},
    {0xF2, 0xF6, "O"},
    {0xF8, 0xF8, "O"},
    {0xF9, 0xFC, "U"},
    {0xFD, 0xFD, "Y"},
    {0xFE, 0xFE, "TH"},
    {0xFF, 0xFF, "Y"},
    {0x100, 0x105, "A"},
    {0x106, 0x10D, "C"},
    {0x10E, 0x111, "D"},
    {0x112, 0x11B, "E"},
    {0x11C, 0x123, "G"},
    {0x124, 0x127, "H"},
    {0x128, 0x131, "I"},
    {0x132, 0x133, "IJ"},
    {0x134, 0x135, "J"},
    {0x136, 0x138, "K"},
    {0x139, 0x142, "L"},
    {0x143, 0x14B, "N"},
    {0x14C, 0x151, "O"},
    {0x152, 0x153, "OE"},
    {0x154, 0x159, "R"},
    {0x15A, 0x161, "S"},
    {0x162, 0x167, "T"},
    {0x168, 0x173, "U"},
    {0x174, 0x175, "W"},
    {0x176, 0x178, "Y"},
    {0x179, 0x17E, "Z"},
    {0x17F, 0x17F, "S"},
    // Letters of other blocks that names of places often hold.
    {0x1E9E, 0x1E9E, "SS"},
    {0x1EA0, 0x1EB7, "A"},
    {0x1EB8, 0x1EC7, "E"},
    {0x1EC8, 0x1ECB, "I"},
    {0x1ECC, 0x1EE3, "O"},
    {0x1EE4, 0x1EF1, "U"},
    {0x1EF2, 0x1EF9, "Y"},
    {0x218, 0x219, "S"},
    {0x21A, 0x21B, "T"},
    {0x1A0, 0x1A1, "O"},
    {0x1AF, 0x1B0, "U"},
};

std::string_view LettersOf(char32_t code_point) {
  for (const LetterRun& run : kLetterRuns) {
    if (code_point >= run.first && code_point <= run.last)
      return run.letters;
  }
  return {};
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

constexpr std::int64_t kOneMinute = kHundredthsPerMinute;

// A decimal number without sign: digits with an optional "." and fraction.
struct DecimalText {
  std::string_view whole;
  std::string_view fraction;
};

std::optional<DecimalText> SplitDecimal(std::string_view text) {
  const std::size_t point = text.find('.');
  DecimalText number{text.substr(0, point),
                     point == std::string_view::npos ? std::string_view() : text.substr(point + 1)};
  const auto all_digits = [](std::string_view digits) {
    for (const char c : digits) {
      if (!IsDigit(c))
        return false;
    }
    return true;
  };
  if (number.whole.empty() || !all_digits(number.whole) || !all_digits(number.fraction) ||
      (point != std::string_view::npos && number.fraction.empty()))
    return std::nullopt;
  return number;
}

double DigitsValue(std::string_view digits) {
  double value = 0;
  std::from_chars(digits.data(), digits.data() + digits.size(), value);
  return value;
}

// A number's value with its fraction: "30.5" gives 30.5.
double NumberValue(const DecimalText& number) {
  double fraction = 0;
  double scale = 1;
  for (const char c : number.fraction) {
    scale /= 10;
    fraction += (c - '0') * scale;
  }
  return DigitsValue(number.whole) + fraction;
}

// Degrees, minutes and seconds as hundredths of an arc-second; nothing when
// minutes or seconds reach 60 or the angle lies beyond `limit_degrees`.
std::optional<std::int64_t> Angle(double degrees, double minutes, double seconds,
                                  int limit_degrees) {
  if (minutes >= 60 || seconds >= 60)
    return std::nullopt;
  const double hundredths =
      degrees * kHundredthsPerDegree + minutes * kHundredthsPerMinute + seconds * 100;
  if (hundredths > static_cast<double>(limit_degrees) * kHundredthsPerDegree)
    return std::nullopt;
  return std::llround(hundredths);
}

// One coordinate without its hemisphere: decimal degrees ("46", "46.5"),
// packed degrees and minutes ("4630", "12236.0") or with seconds
// ("463015"), or degrees, minutes and seconds apart ("46 30.5", "46°30'15\"").
// Latitudes have two digits of degrees, longitudes three.
std::optional<std::int64_t> ReadCoordinate(std::string_view text, std::size_t degree_digits) {
  std::vector<DecimalText> numbers;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t end = text.find_first_of(" *'\":", at);
    const std::string_view piece = text.substr(at, end - at);
    if (!piece.empty()) {
      const std::optional<DecimalText> number = SplitDecimal(piece);
      if (!number)
        return std::nullopt;
      numbers.push_back(*number);
    }
    at = end == std::string_view::npos ? text.size() : end + 1;
  }
  const int limit = degree_digits == 2 ? 90 : 180;
  if (numbers.size() == 1) {
    const DecimalText& packed = numbers[0];
    const std::size_t digits = packed.whole.size();
    if (digits <= degree_digits)
      return Angle(NumberValue(packed), 0, 0, limit);
    const std::string_view degrees = packed.whole.substr(0, degree_digits);
    if (digits == degree_digits + 2) {
      const DecimalText minutes{packed.whole.substr(degree_digits), packed.fraction};
      return Angle(DigitsValue(degrees), NumberValue(minutes), 0, limit);
    }
    if (digits == degree_digits + 4) {
      const DecimalText seconds{packed.whole.substr(degree_digits + 2), packed.fraction};
      return Angle(DigitsValue(degrees), DigitsValue(packed.whole.substr(degree_digits, 2)),
                   NumberValue(seconds), limit);
    }
    return std::nullopt;
  }
  if (numbers.size() < 2 || numbers.size() > 3 || numbers[0].whole.size() > degree_digits ||
      !numbers[0].fraction.empty() || numbers[1].whole.size() > 2 ||
      (numbers.size() == 3 && (!numbers[1].fraction.empty() || numbers[2].whole.size() > 2)))
    return std::nullopt;
  return Angle(NumberValue(numbers[0]), NumberValue(numbers[1]),
               numbers.size() == 3 ? NumberValue(numbers[2]) : 0, limit);
}

constexpr std::string_view kBetweenCoordinates = " ,/_;";

std::string_view TrimmedOf(std::string_view text, std::string_view characters) {
  const std::size_t first = text.find_first_not_of(characters);
  if (first == std::string_view::npos)
    return {};
  return text.substr(first, text.find_last_not_of(characters) - first + 1);
}

std::optional<Position> PositionOf(std::optional<std::int64_t> latitude, bool south,
                                   std::optional<std::int64_t> longitude, bool west) {
  if (!latitude || !longitude)
    return std::nullopt;
  return Position{static_cast<std::int32_t>(south ? -*latitude : *latitude),
                  static_cast<std::int32_t>(west ? -*longitude : *longitude)};
}

// "N46W122", "46N122W", "N4630.0 W12236.0": the two hemisphere letters are
// the text's only letters, N or S first, E or W second, both before or both
// after their numbers.
std::optional<Position> HemispherePosition(std::string_view text) {
  std::vector<std::size_t> letters;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (AsciiUpper(text[i]) >= 'A' && AsciiUpper(text[i]) <= 'Z')
      letters.push_back(i);
  }
  if (letters.size() != 2)
    return std::nullopt;
  const char north_south = AsciiUpper(text[letters[0]]);
  const char east_west = AsciiUpper(text[letters[1]]);
  if ((north_south != 'N' && north_south != 'S') || (east_west != 'E' && east_west != 'W'))
    return std::nullopt;
  std::string_view latitude;
  std::string_view longitude;
  if (letters[0] == 0) {
    latitude = text.substr(1, letters[1] - 1);
    longitude = text.substr(letters[1] + 1);
  } else if (letters[1] + 1 == text.size()) {
    latitude = text.substr(0, letters[0]);
    longitude = text.substr(letters[0] + 1, letters[1] - letters[0] - 1);
  } else {
    return std::nullopt;
  }
  latitude = TrimmedOf(latitude, kBetweenCoordinates);
  longitude = TrimmedOf(longitude, kBetweenCoordinates);
  return PositionOf(ReadCoordinate(latitude, 2), north_south == 'S', ReadCoordinate(longitude, 3),
                    east_west == 'W');
}

// "+46.500_-122.600", "46.5,-122.6": two signed decimal degrees.
std::optional<Position> SignedDecimalPosition(std::string_view text) {
  const std::size_t between = text.find_first_of(kBetweenCoordinates);
  if (between == std::string_view::npos)
    return std::nullopt;
  const std::size_t second = text.find_first_not_of(kBetweenCoordinates, between);
  if (second == std::string_view::npos)
    return std::nullopt;
  const auto read = [](std::string_view number, int limit,
                       bool& negative) -> std::optional<std::int64_t> {
    negative = !number.empty() && number.front() == '-';
    if (!number.empty() && (number.front() == '-' || number.front() == '+'))
      number.remove_prefix(1);
    const std::optional<DecimalText> decimal = SplitDecimal(number);
    if (!decimal)
      return std::nullopt;
    return Angle(NumberValue(*decimal), 0, 0, limit);
  };
  bool south = false;
  bool west = false;
  const auto latitude = read(text.substr(0, between), 90, south);
  const auto longitude = read(text.substr(second), 180, west);
  return PositionOf(latitude, south, longitude, west);
}

// The rounded count of `unit`s in the angle's magnitude, half up.
std::int64_t RoundedUnits(std::int32_t hundredths, std::int64_t unit) {
  return (std::llabs(hundredths) + unit / 2) / unit;
}

// Whether the angle lies on the negative side once rounded to `unit`: a
// value that rounds to zero has no side.
bool Negative(std::int32_t hundredths, std::int64_t unit) {
  return hundredths < 0 && RoundedUnits(hundredths, unit) > 0;
}

std::int64_t AngleBetween(std::int64_t a, std::int64_t b, std::int64_t full_turn) {
  std::int64_t difference = std::llabs(a - b) % full_turn;
  return std::min(difference, full_turn - difference);
}

}  // namespace

std::string IdentifierCharacters(std::string_view text) {
  std::string identifier;
  for (std::size_t at = 0; at < text.size();) {
    const Utf8Character character = ReadCharacter(text, at);
    at += character.length;
    if (!character.valid)
      continue;
    const char32_t code_point = character.code_point;
    if (code_point < 0x80) {
      const char ascii = AsciiUpper(static_cast<char>(code_point));
      if ((ascii >= 'A' && ascii <= 'Z') || IsDigit(ascii))
        identifier += ascii;
    } else {
      identifier += LettersOf(code_point);
    }
  }
  return identifier;
}

std::string NumberedIdentifier(std::size_t number) {
  return fmt::format("WP{:02}", number);
}

std::optional<Position> PositionInName(std::string_view name) {
  // Most names are no position: they hold no digit.
  if (name.find_first_of("0123456789") == std::string_view::npos)
    return std::nullopt;
  // The degree sign is one of the separators within a coordinate.
  std::string text(Trim(name));
  for (std::size_t at; (at = text.find("\xC2\xB0")) != std::string::npos;)
    text.replace(at, 2, " ");
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return std::nullopt;
  }
  if (auto position = HemispherePosition(text))
    return position;
  return SignedDecimalPosition(text);
}

bool NamesPosition(std::string_view name, const Position& position) {
  const std::optional<Position> named = PositionInName(name);
  return named && std::llabs(std::int64_t{named->latitude} - position.latitude) <= kOneMinute &&
         AngleBetween(named->longitude, position.longitude, 2 * std::int64_t{kLongitudeLimit}) <=
             kOneMinute;
}

bool IsWholeDegreePositionName(std::string_view identifier) {
  const auto digits = [&](std::size_t first, std::size_t count) {
    return std::all_of(identifier.begin() + static_cast<std::ptrdiff_t>(first),
                       identifier.begin() + static_cast<std::ptrdiff_t>(first + count), IsDigit);
  };
  return identifier.size() == 7 && digits(0, 2) && (identifier[2] == 'N' || identifier[2] == 'S') &&
         digits(3, 3) && (identifier[6] == 'E' || identifier[6] == 'W');
}

std::string LatitudeLongitudeName(const Position& position) {
  const std::int64_t latitude = RoundedUnits(position.latitude, kOneMinute);
  const std::int64_t longitude = RoundedUnits(position.longitude, kOneMinute);
  return fmt::format("{:02}{:02}{}{:03}{:02}{}", latitude / 60, latitude % 60,
                     Negative(position.latitude, kOneMinute) ? 'S' : 'N', longitude / 60,
                     longitude % 60, Negative(position.longitude, kOneMinute) ? 'W' : 'E');
}

std::string FiveCharacterPositionName(const Position& position) {
  const std::int64_t latitude = RoundedUnits(position.latitude, kHundredthsPerDegree);
  const std::int64_t longitude = RoundedUnits(position.longitude, kHundredthsPerDegree);
  const bool south = Negative(position.latitude, kHundredthsPerDegree);
  const bool west = Negative(position.longitude, kHundredthsPerDegree);
  const char quarter = south ? (west ? 'W' : 'S') : (west ? 'N' : 'E');
  if (longitude >= 100)
    return fmt::format("{:02}{}{:02}", latitude, quarter, longitude % 100);
  return fmt::format("{:02}{:02}{}", latitude, longitude, quarter);
}

}  // namespace korvanta

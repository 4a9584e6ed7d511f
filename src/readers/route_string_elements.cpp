#include "readers/route_string_elements.hpp"

#include <fmt/format.h>

#include <algorithm>

#include "text/cp1252.hpp"
#include "text/text.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kBlanks = " \t\r\n";
// A route string is one line, or a few where a printout wraps a long route;
// the longest real ones are a few kilobytes.
constexpr std::size_t kMostLines = 16;
constexpr std::size_t kLongestRouteString = 16 * 1024;

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

bool IsLetter(char c) {
  return c >= 'A' && c <= 'Z';
}

bool AllDigits(std::string_view text) {
  return std::all_of(text.begin(), text.end(), IsDigit);
}

// Upper-case letters and digits, at least one.
bool IsPlainWord(std::string_view text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return IsLetter(c) || IsDigit(c); });
}

std::int32_t DigitsValue(std::string_view digits) {
  std::int32_t value = 0;
  for (const char digit : digits)
    value = value * 10 + (digit - '0');
  return value;
}

// The words of the text, at most `most` of them.
std::vector<std::string_view> Words(std::string_view text, std::size_t most) {
  std::vector<std::string_view> words;
  for (std::size_t at = text.find_first_not_of(kBlanks);
       at != std::string_view::npos && words.size() < most;
       at = text.find_first_not_of(kBlanks, at)) {
    const std::size_t end = std::min(text.find_first_of(kBlanks, at), text.size());
    words.push_back(text.substr(at, end - at));
    at = end;
  }
  return words;
}

// Tens of metres in feet (1 ft = 0.3048 m), rounded half up.
std::int32_t FeetOfTensOfMetres(std::int32_t tens) {
  return static_cast<std::int32_t>((std::int64_t{tens} * 100000 * 2 + 3048) / (2 * 3048));
}

// A speed and level group: the speed in knots ("N0450"), km/h ("K0830") or
// Mach ("M082"), then the level as a flight level ("F350"), an altitude in
// hundreds of feet ("A045"), a level or altitude in tens of metres
// ("S1130", "M0900"), or "VFR".
struct SpeedAndLevel {
  std::optional<std::int32_t> level_feet;  // none for VFR
};

std::optional<SpeedAndLevel> ReadSpeedAndLevel(std::string_view text) {
  std::size_t speed_digits = 0;
  if (text.starts_with('N') || text.starts_with('K'))
    speed_digits = 4;
  else if (text.starts_with('M'))
    speed_digits = 3;
  if (speed_digits == 0 || text.size() < 1 + speed_digits ||
      !AllDigits(text.substr(1, speed_digits)))
    return std::nullopt;
  const std::string_view level = text.substr(1 + speed_digits);
  if (level == "VFR")
    return SpeedAndLevel{};
  if (level.size() < 4 || level.size() > 5 || !AllDigits(level.substr(1)))
    return std::nullopt;
  const std::size_t digits = level.size() - 1;
  const std::int32_t value = DigitsValue(level.substr(1));
  if ((level.front() == 'F' || level.front() == 'A') && digits == 3)
    return SpeedAndLevel{value * 100};
  if ((level.front() == 'S' || level.front() == 'M') && digits == 4)
    return SpeedAndLevel{FeetOfTensOfMetres(value)};
  return std::nullopt;
}

// Degrees (`degree_digits` of them) and the minutes that follow, if any;
// none when the minutes reach 60 or the angle passes `limit` degrees.
std::optional<std::int32_t> Angle(std::string_view digits, std::size_t degree_digits,
                                  std::int32_t limit) {
  const std::int32_t degrees = DigitsValue(digits.substr(0, degree_digits));
  const std::int32_t minutes = DigitsValue(digits.substr(degree_digits));
  if (minutes >= 60 || degrees * 60 + minutes > limit * 60)
    return std::nullopt;
  return degrees * kHundredthsPerDegree + minutes * kHundredthsPerMinute;
}

std::optional<Position> PositionOf(std::optional<std::int32_t> latitude, bool south,
                                   std::optional<std::int32_t> longitude, bool west) {
  if (!latitude || !longitude)
    return std::nullopt;
  return Position{south ? -*latitude : *latitude, west ? -*longitude : *longitude};
}

// "46N078W" (whole degrees) or "4620N07805W" (degrees and minutes).
std::optional<Position> CompactPosition(std::string_view text) {
  const std::size_t latitude_digits = text.size() == 7 ? 2 : 4;
  if (text.size() != 2 * latitude_digits + 3)
    return std::nullopt;
  const std::string_view latitude = text.substr(0, latitude_digits);
  const char north_south = text[latitude_digits];
  const std::string_view longitude = text.substr(latitude_digits + 1, latitude_digits + 1);
  const char east_west = text.back();
  if (!AllDigits(latitude) || !AllDigits(longitude) || (north_south != 'N' && north_south != 'S') ||
      (east_west != 'E' && east_west != 'W'))
    return std::nullopt;
  return PositionOf(Angle(latitude, 2, 90), north_south == 'S', Angle(longitude, 3, 180),
                    east_west == 'W');
}

// The five characters of whole degrees that North Atlantic tracks and
// navigation databases write, as FiveCharacterPositionName writes them: the
// latitude's two digits, the longitude's last two, and the letter of the
// globe's quarter (N north-west, E north-east, S south-east, W south-west),
// after the longitude below 100 degrees ("5020N": 50N 20W) and between the
// two from 100 on ("50N20": 50N 120W).
std::optional<Position> FiveCharacterPosition(std::string_view text) {
  if (text.size() != 5 || !AllDigits(text.substr(0, 2)))
    return std::nullopt;
  const bool past_hundred = IsLetter(text[2]);
  const char quarter = past_hundred ? text[2] : text[4];
  const std::string_view longitude = text.substr(past_hundred ? 3 : 2, 2);
  if (!AllDigits(longitude) || std::string_view("NESW").find(quarter) == std::string_view::npos)
    return std::nullopt;
  const std::int32_t degrees = DigitsValue(longitude) + (past_hundred ? 100 : 0);
  return PositionOf(Angle(text.substr(0, 2), 2, 90), quarter == 'S' || quarter == 'W',
                    Angle(fmt::format("{:03}", degrees), 3, 180), quarter == 'N' || quarter == 'W');
}

std::optional<Position> PositionOfElement(std::string_view text) {
  if (text.size() == 5)
    return FiveCharacterPosition(text);
  return CompactPosition(text);
}

// "EGLL", "K2A1": four letters and digits, a letter first.
bool IsAirportCode(std::string_view text) {
  return text.size() == 4 && IsLetter(text.front()) && IsPlainWord(text);
}

// "27R", "09", "4": the runway after the departure.
bool IsRunway(std::string_view text) {
  if (!text.empty() && (text.back() == 'L' || text.back() == 'R' || text.back() == 'C'))
    text.remove_suffix(1);
  return !text.empty() && text.size() <= 2 && AllDigits(text);
}

// Speed and level groups and changes of flight rules: words that name no
// place.
bool IsPathless(std::string_view word) {
  return word == "VFR" || word == "IFR" || word.starts_with('/') ||
         ReadSpeedAndLevel(word).has_value();
}

// One word of the string: the element, and what "/" glues to it.
struct Word {
  std::string_view whole;
  std::string_view element;
  std::string_view glued;  // empty when nothing is glued
};

PlanReadError NotAnElement(std::string_view word) {
  return {fmt::format("{}: not a point, airway, position or speed and level group", word)};
}

PlanReadError NotAtEnd(std::string_view word) {
  return {fmt::format(
      "{}: a route string begins with the departure airport and ends with the destination", word)};
}

}  // namespace

RouteStringSplit SplitRouteString(std::string_view bytes) {
  std::string upper = InputToUtf8(bytes);
  std::transform(upper.begin(), upper.end(), upper.begin(), AsciiUpper);
  RouteStringParts parts;
  const auto take_level = [&parts](const SpeedAndLevel& group) {
    if (!parts.first_level)
      parts.first_level = group.level_feet;
  };
  // The words that name places, in order; the groups only give the level.
  std::vector<Word> path;
  const std::vector<std::string_view> words = Words(upper, kPlanPointsLimit + 1);
  if (words.size() > kPlanPointsLimit)
    return PlanReadError{"The route string holds more than 10000 elements: no route is that long"};
  for (const std::string_view whole : words) {
    const std::size_t slash = whole.find('/');
    const Word word{whole, whole.substr(0, slash),
                    slash == std::string_view::npos ? std::string_view() : whole.substr(slash + 1)};
    const bool glued = slash != std::string_view::npos;
    if ((!word.element.empty() && !IsPlainWord(word.element)) ||
        (glued && !IsPlainWord(word.glued)))
      return NotAnElement(whole);
    if (word.element.empty()) {
      // "/N0450F350" written apart from its point.
      const std::optional<SpeedAndLevel> group = ReadSpeedAndLevel(word.glued);
      if (!group)
        return NotAnElement(whole);
      take_level(*group);
      continue;
    }
    if (const std::optional<SpeedAndLevel> group = ReadSpeedAndLevel(word.element)) {
      if (glued)
        return NotAnElement(whole);
      take_level(*group);
      continue;
    }
    if (word.element == "VFR" || word.element == "IFR") {
      if (glued)
        return NotAnElement(whole);
      continue;
    }
    if (const std::optional<SpeedAndLevel> group = ReadSpeedAndLevel(word.glued); glued && group)
      take_level(*group);
    path.push_back(word);
  }
  if (path.size() < 2)
    return PlanReadError{
        "The route string names fewer than two airports: it begins with the departure and ends "
        "with the destination"};

  const Word& departure = path.front();
  const Word& destination = path.back();
  for (const Word* end : {&departure, &destination}) {
    if (end->element == "DCT" || PositionOfElement(end->element))
      return NotAtEnd(end->whole);
  }
  parts.departure = departure.element;
  parts.destination = destination.element;
  for (std::size_t index = 0; index < path.size(); ++index) {
    const Word& word = path[index];
    if (word.glued.empty() || ReadSpeedAndLevel(word.glued))
      continue;
    // An arrival runway is left to the arrival: the route has one runway.
    const bool end = index == 0 || index + 1 == path.size();
    if (!end || !IsRunway(word.glued))
      return NotAnElement(word.whole);
    if (index == 0)
      parts.runway = word.glued;
  }
  for (std::size_t index = 1; index + 1 < path.size(); ++index) {
    const std::string_view element = path[index].element;
    RouteElement& added = parts.between.emplace_back();
    added.text = element;
    if (element == "DCT") {
      added.kind = RouteElementKind::kDirect;
    } else if (const std::optional<Position> position = PositionOfElement(element)) {
      added.kind = RouteElementKind::kPosition;
      added.position = *position;
    }
  }
  return parts;
}

bool HasRouteStringShape(std::string_view text) {
  if (text.size() > kLongestRouteString)
    return false;
  std::size_t lines = 0;
  bool line_has_words = false;
  for (const char c : text) {
    if (c == '\n') {
      line_has_words = false;
    } else if (c != ' ' && c != '\t' && c != '\r') {
      if (!IsLetter(c) && !IsDigit(c) && c != '/')
        return false;
      if (!line_has_words)
        ++lines;
      line_has_words = true;
    }
  }
  if (lines > kMostLines)
    return false;
  std::vector<std::string_view> path = Words(text, text.size());
  std::erase_if(path, IsPathless);
  const auto airport = [](std::string_view word) {
    return IsAirportCode(word.substr(0, word.find('/')));
  };
  return path.size() >= 2 && airport(path.front()) && airport(path.back());
}

}  // namespace korvanta

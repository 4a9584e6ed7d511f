#include "writers/runway.hpp"

#include "text/text.hpp"

namespace korvanta {

namespace {

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<RunwaySide> SideOf(std::string_view letter) {
  if (letter.empty())
    return RunwaySide::kNone;
  if (letter == "L")
    return RunwaySide::kLeft;
  if (letter == "R")
    return RunwaySide::kRight;
  if (letter == "C")
    return RunwaySide::kCenter;
  return std::nullopt;
}

}  // namespace

std::string NormalizedRunway(std::string_view runway) {
  std::string out = WithoutBlanks(runway);
  for (char& c : out)
    c = AsciiUpper(c);
  return out;
}

std::optional<RunwayDesignation> ReadRunway(std::string_view runway) {
  const std::string normalized = NormalizedRunway(runway);
  std::string_view rest = normalized;
  if (rest.starts_with("RW"))
    rest.remove_prefix(2);
  std::size_t digits = 0;
  int number = 0;
  // A third digit already fails; reading no further keeps the number small.
  while (digits < 3 && digits < rest.size() && IsDigit(rest[digits]))
    number = number * 10 + (rest[digits++] - '0');
  if (digits == 0 || digits > 2 || number < 1 || number > 36)
    return std::nullopt;
  const auto side = SideOf(rest.substr(digits));
  if (!side)
    return std::nullopt;
  return RunwayDesignation{number, *side};
}

}  // namespace korvanta

#include "readers/input_kind.hpp"

#include <algorithm>
#include <array>

#include "text/numbers.hpp"
#include "text/text.hpp"
#include "xml/xml_reader.hpp"

namespace korvanta {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char character) {
  return character == ' ' || character == '\t' || character == '\r' || character == '\n';
}

std::string_view WithoutLeadingBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front()))
    text.remove_prefix(1);
  return text;
}

}  // namespace

std::string XmlRootName(std::string_view text) {
  // The reader's own reading of the document's start, so that detection
  // never calls a plan what the reader refuses, nor the other way round.
  return XmlRootElementName(text);
}

namespace {

// The first two lines of the text, trimmed; empty where the text has none.
std::array<std::string_view, 2> FirstTwoLines(std::string_view text) {
  std::array<std::string_view, 2> lines;
  for (std::string_view& line : lines) {
    const std::size_t end = text.find_first_of("\r\n");
    line = Trim(text.substr(0, end));
    if (end == std::string_view::npos)
      break;
    text.remove_prefix(end + (text.substr(end, 2) == "\r\n" ? 2 : 1));
  }
  return lines;
}

// The number of a line "<digits> version"; empty when it is no such line.
std::string_view VersionOfLine(std::string_view line) {
  const std::size_t blank = line.find_first_of(" \t");
  if (blank == std::string_view::npos)
    return {};
  const std::string_view number = line.substr(0, blank);
  const bool digits = !number.empty() && std::all_of(number.begin(), number.end(),
                                                     [](char c) { return c >= '0' && c <= '9'; });
  return digits && EqualNoCase(Trim(line.substr(blank)), "version") ? number : std::string_view();
}

}  // namespace

std::string_view XPlanePlanVersion(std::string_view bytes) {
  const auto [first, second] = FirstTwoLines(bytes);
  return first == "I" || first == "A" ? VersionOfLine(second) : std::string_view();
}

bool StartsLikeXPlanePlan(std::string_view bytes) {
  const std::string_view version = XPlanePlanVersion(bytes);
  return version == "3" || version == "1100";
}

std::string_view WithoutByteOrderMarkAndBlanks(std::string_view bytes) {
  if (bytes.starts_with(kByteOrderMark))
    bytes.remove_prefix(kByteOrderMark.size());
  return WithoutLeadingBlanks(bytes);
}

}  // namespace korvanta

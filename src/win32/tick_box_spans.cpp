#include "win32/tick_box_spans.hpp"

#include <string_view>

namespace korvanta::win32 {

namespace {

struct TickBoxSpanRow {
  std::string_view target;  // the target's command-line name
  TickBoxSpan span;
};

// Row by row, left to right. The template itself holds the first row's
// Super 80 box (50, 104), plan number label (158, 52) and plan number
// (212, 40).
constexpr TickBoxSpanRow kTickBoxSpans[] = {
    // the first row
    {"fs2004", {4, 42}},
    {"tu154", {258, 38}},
    {"maddog", {300, 62}},
    // the second row
    {"pmdg", {4, 68}},
    {"leveld", {76, 48}},
    {"ifly", {128, 42}},
    {"fsnav", {174, 62}},
    {"xplane", {240, 44}},
    {"civa", {288, 32}},
    {"kml", {324, 64}},
    // the third row
    {"xplane11", {4, 68}},
    {"gpx", {76, 30}},
    {"msfs", {110, 56}},
};

}  // namespace

std::optional<TickBoxSpan> TickBoxSpanOf(Target target) {
  const std::string_view name = DescriptorOf(target).cli_name;
  for (const TickBoxSpanRow& row : kTickBoxSpans) {
    if (row.target == name)
      return row.span;
  }
  return std::nullopt;
}

}  // namespace korvanta::win32

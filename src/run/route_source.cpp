#include "run/route_source.hpp"

#include "text/text.hpp"

namespace korvanta {

RouteTextSource::RouteTextSource(std::string_view text) : lines_(SplitLines(text)) {}

RouteReading RouteTextSource::Read(const ParseOptions& options,
                                   const AirportDatabase& airports) const {
  RouteReading reading;
  reading.result = ParseRoute(lines_, options, airports, reading.waypoints, reading.header);
  if (reading.Parsed())
    reading.fault = CutOffFault(lines_, reading.waypoints);
  return reading;
}

std::optional<std::string> RouteTextSource::RouteText() const {
  // Made in one piece of the exact size: a large text is held often enough.
  std::size_t size = 0;
  for (const std::string& line : lines_)
    size += line.size() + 2;
  std::string text;
  text.reserve(size);
  for (const std::string& line : lines_)
    AppendCrLfLine(text, line);
  return text;
}

}  // namespace korvanta

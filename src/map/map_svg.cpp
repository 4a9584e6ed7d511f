#include "map/map_svg.hpp"

#include <fmt/format.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <string_view>
#include <vector>

#include "map/map_style.hpp"
#include "xml/xml_writer.hpp"

namespace korvanta {

namespace {

std::string_view KindClass(const MapMark& mark) {
  if (mark.end_airport)
    return "end-airport";
  switch (mark.kind) {
    case WaypointKind::kAirport:
      return "airport";
    case WaypointKind::kVor:
      return "vor";
    case WaypointKind::kNdb:
      return "ndb";
    case WaypointKind::kIntersection:
      break;
  }
  return "fix";
}

// One path's outline: "M x y L x y ...", closed with "Z" for a ring.
void AppendOutline(std::string& out, const std::vector<MapPixel>& line, bool closed) {
  char command = 'M';
  for (const MapPixel point : line) {
    out += command;
    out += PixelText(point.x);
    out += ' ';
    out += PixelText(point.y);
    command = 'L';
  }
  if (closed)
    out += 'Z';
}

void AppendLines(std::string& out, const std::vector<std::vector<MapPixel>>& lines,
                 std::string_view element_class) {
  for (const std::vector<MapPixel>& line : lines) {
    fmt::format_to(std::back_inserter(out), "<path class=\"{}\" d=\"", element_class);
    AppendOutline(out, line, false);
    out += "\"/>\n";
  }
}

}  // namespace

std::string PixelText(double value) {
  const auto tenths = static_cast<std::int64_t>(std::llround(value * 10));
  const std::int64_t whole = std::llabs(tenths) / 10;
  return fmt::format("{}{}.{}", tenths < 0 ? "-" : "", whole, std::llabs(tenths) % 10);
}

std::string MapSvg(const MapPicture& picture) {
  const std::string width = PixelText(picture.width);
  const std::string height = PixelText(picture.height);
  std::string out;
  out.reserve(4096);
  fmt::format_to(std::back_inserter(out),
                 "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                 "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"{0}\" "
                 "height=\"{1}\" viewBox=\"0 0 {0} {1}\">\n"
                 "<rect id=\"sea\" x=\"0\" y=\"0\" width=\"{0}\" height=\"{1}\" fill=\"{2}\"/>\n",
                 width, height, kMapSeaColour.Hex());

  fmt::format_to(std::back_inserter(out), "<g id=\"land\" fill=\"{}\" stroke=\"none\">\n",
                 kMapLandColour.Hex());
  if (!picture.land.empty()) {
    out += "<path class=\"land\" fill-rule=\"evenodd\" d=\"";
    for (const std::vector<MapPixel>& ring : picture.land)
      AppendOutline(out, ring, true);
    out += "\"/>\n";
  }
  fmt::format_to(std::back_inserter(out),
                 "</g>\n<g id=\"graticule\" fill=\"none\" stroke=\"{}\" stroke-width=\"{}\">\n",
                 kMapGraticuleColour.Hex(), kMapGraticuleStroke);
  AppendLines(out, picture.graticule, "graticule");
  fmt::format_to(std::back_inserter(out),
                 "</g>\n<g id=\"legs\" fill=\"none\" stroke=\"{}\" stroke-width=\"{}\" "
                 "stroke-linejoin=\"round\">\n",
                 kMapLegColour.Hex(), kMapLegStroke);
  AppendLines(out, picture.legs, "leg");

  fmt::format_to(std::back_inserter(out),
                 "</g>\n<g id=\"marks\" stroke=\"{}\" stroke-width=\"{}\">\n", kMapInkColour.Hex(),
                 kMapMarkStroke);
  for (const MapMark& mark : picture.marks) {
    const std::string_view kind = KindClass(mark);
    const bool end = mark.end_airport;
    const double radius = end ? kMapEndMarkRadiusPixels : kMapMarkRadiusPixels;
    fmt::format_to(std::back_inserter(out),
                   "<circle id=\"mark-{}\" class=\"mark {}\" cx=\"{}\" cy=\"{}\" r=\"{}\" "
                   "fill=\"{}\"/>\n",
                   mark.row, kind, PixelText(mark.at.x), PixelText(mark.at.y), PixelText(radius),
                   (end ? kMapInkColour : kMapMarkFillColour).Hex());
  }

  // The text's baseline sits at eight tenths of its box, where a font of
  // the box's height puts it.
  fmt::format_to(std::back_inserter(out),
                 "</g>\n<g id=\"labels\" font-family=\"monospace\" font-size=\"{}\" "
                 "fill=\"{}\">\n",
                 PixelText(kMapLabelFontPixels), kMapInkColour.Hex());
  for (const MapLabel& label : picture.labels) {
    fmt::format_to(std::back_inserter(out),
                   "<text id=\"label-{}\" class=\"label\" x=\"{}\" y=\"{}\">{}</text>\n", label.row,
                   PixelText(label.top_left.x), PixelText(label.top_left.y + label.height * 0.8),
                   XmlEscapeText(label.text));
  }
  out += "</g>\n</svg>\n";
  return out;
}

}  // namespace korvanta

#include <gtest/gtest.h>

#include <string>

#include "map/map_svg.hpp"

namespace korvanta {
namespace {

TEST(MapSvg, CoordinatesToATenthWhateverTheSign) {
  const std::pair<double, std::string> cases[] = {
      {0, "0.0"},      {12.34, "12.3"},   {12.35, "12.4"},  {-0.04, "0.0"},
      {-0.06, "-0.1"}, {-12.96, "-13.0"}, {1000, "1000.0"}, {0.95, "1.0"},
  };
  for (const auto& [value, text] : cases)
    EXPECT_EQ(PixelText(value), text) << value;
}

TEST(MapSvg, LabelTextIsEscaped) {
  MapPicture picture;
  picture.width = 100;
  picture.height = 50;
  picture.labels.push_back({"A<&>B", {10, 20}, 35, kMapLabelFontPixels, 4});
  EXPECT_NE(
      MapSvg(picture).find(
          "<text id=\"label-4\" class=\"label\" x=\"10.0\" y=\"28.8\">A&lt;&amp;&gt;B</text>"),
      std::string::npos)
      << MapSvg(picture);
}

}  // namespace
}  // namespace korvanta

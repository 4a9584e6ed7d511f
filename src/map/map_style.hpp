#pragma once

#include <cstdint>
#include <string>

namespace korvanta {

// The map's look, one for the SVG file and both windows, so that the
// picture a pilot saves is the one the window shows.
struct MapColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;

  // "#dce9f2"
  std::string Hex() const;
};

inline constexpr MapColour kMapSeaColour{0xdc, 0xe9, 0xf2};
inline constexpr MapColour kMapLandColour{0xef, 0xe9, 0xd6};
inline constexpr MapColour kMapGraticuleColour{0xa9, 0xbc, 0xcb};
inline constexpr MapColour kMapLegColour{0xc0, 0x26, 0x2d};
// The marks' outlines, the end airports' fill and the labels.
inline constexpr MapColour kMapInkColour{0x1d, 0x1d, 0x1d};
inline constexpr MapColour kMapMarkFillColour{0xff, 0xff, 0xff};

// Line widths in pixels.
inline constexpr double kMapGraticuleStroke = 0.5;
inline constexpr double kMapLegStroke = 2;
inline constexpr double kMapMarkStroke = 1;

}  // namespace korvanta

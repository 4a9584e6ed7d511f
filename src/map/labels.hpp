#pragma once

#include <string>
#include <vector>

#include "map/map_picture.hpp"

namespace korvanta {

// A label's place before it is placed: its mark and its text.
struct LabelRequest {
  const MapMark* mark = nullptr;
  std::string text;
};

// The labels that fit, each beside its mark at the first free one of a few
// spots (right, left, the four corners, above, below), inside the picture,
// overlapping no other label and no mark. The most important points choose
// first, so that where there is no room the least important lose their
// labels: fixes first, then NDBs, then VORs, the airports last.
std::vector<MapLabel> PlaceLabels(const std::vector<LabelRequest>& requests, double width,
                                  double height);

// The width a label's text takes: kMapLabelAdvancePixels per character.
double LabelWidth(const std::string& text);

}  // namespace korvanta

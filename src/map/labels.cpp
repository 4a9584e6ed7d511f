#include "map/labels.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <vector>

#include "text/utf8.hpp"

namespace korvanta {

namespace {

constexpr double kLabelGapPixels = 2;
// A label this near another point's mark reads as that point's: such a spot
// is taken only when no spot clear of the other marks is free.
constexpr double kOtherMarkClearancePixels = 6;

struct Box {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  bool Overlaps(const Box& other) const {
    return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
  }
};

double MarkRadius(const MapMark& mark) {
  return mark.end_airport ? kMapEndMarkRadiusPixels : kMapMarkRadiusPixels;
}

Box MarkBox(const MapMark& mark) {
  const double radius = MarkRadius(mark);
  return {mark.at.x - radius, mark.at.y - radius, mark.at.x + radius, mark.at.y + radius};
}

// Lower ranks choose their spot first.
int Rank(const MapMark& mark) {
  if (mark.end_airport)
    return 0;
  switch (mark.kind) {
    case WaypointKind::kAirport:
      return 1;
    case WaypointKind::kVor:
      return 2;
    case WaypointKind::kNdb:
      return 3;
    case WaypointKind::kIntersection:
      break;
  }
  return 4;
}

// The spots beside a mark, in the order they are tried.
std::array<Box, 8> Spots(const MapMark& mark, double width, double height) {
  const double reach = MarkRadius(mark) + kLabelGapPixels;
  const double x = mark.at.x;
  const double y = mark.at.y;
  const auto box = [width, height](double left, double top) {
    return Box{left, top, left + width, top + height};
  };
  return {box(x + reach, y - height / 2),
          box(x - reach - width, y - height / 2),
          box(x + reach, y - reach - height),
          box(x + reach, y + reach),
          box(x - reach - width, y - reach - height),
          box(x - reach - width, y + reach),
          box(x - width / 2, y - reach - height),
          box(x - width / 2, y + reach)};
}

// The boxes taken so far, filed by the cells of a grid over the picture so
// that a spot is checked against its neighbours only: a route of thousands
// of points places its labels as quickly as one of a few hundred.
class TakenSpace {
 public:
  TakenSpace(double width, double height)
      : columns_(CellCount(width)), rows_(CellCount(height)), cells_(columns_ * rows_) {}

  void Take(const Box& box) {
    boxes_.push_back(box);
    ForEachCell(box, [this](std::vector<std::size_t>& cell) { cell.push_back(boxes_.size() - 1); });
  }

  bool IsFree(const Box& box) { return IsFreeBut(box, boxes_.size()); }

  // Whether the box overlaps no box taken but the one numbered `allowed`
  // (in the order taken).
  bool IsFreeBut(const Box& box, std::size_t allowed) {
    bool free = true;
    ForEachCell(box, [this, &box, &free, allowed](const std::vector<std::size_t>& cell) {
      for (const std::size_t index : cell)
        free = free && (index == allowed || !box.Overlaps(boxes_[index]));
    });
    return free;
  }

 private:
  static constexpr double kCellPixels = 64;

  static std::size_t CellCount(double extent) {
    return static_cast<std::size_t>(std::max(1.0, std::ceil(extent / kCellPixels)));
  }
  static std::size_t CellOf(double at, std::size_t count) {
    const double cell = std::floor(at / kCellPixels);
    return static_cast<std::size_t>(std::clamp(cell, 0.0, static_cast<double>(count - 1)));
  }

  template <typename Visit>
  void ForEachCell(const Box& box, Visit visit) {
    for (std::size_t row = CellOf(box.top, rows_); row <= CellOf(box.bottom, rows_); ++row) {
      for (std::size_t column = CellOf(box.left, columns_); column <= CellOf(box.right, columns_);
           ++column)
        visit(cells_[row * columns_ + column]);
    }
  }

  std::size_t columns_;
  std::size_t rows_;
  std::vector<std::vector<std::size_t>> cells_;
  std::vector<Box> boxes_;
};

}  // namespace

double LabelWidth(const std::string& text) {
  return static_cast<double>(CharacterCount(text)) * kMapLabelAdvancePixels;
}

std::vector<MapLabel> PlaceLabels(const std::vector<LabelRequest>& requests, double width,
                                  double height) {
  std::vector<const LabelRequest*> order;
  TakenSpace taken(width, height);
  for (const LabelRequest& request : requests) {
    taken.Take(MarkBox(*request.mark));
    if (!request.text.empty())
      order.push_back(&request);
  }
  std::stable_sort(order.begin(), order.end(), [](const LabelRequest* a, const LabelRequest* b) {
    return Rank(*a->mark) < Rank(*b->mark);
  });

  // The marks grown by the clearance, numbered as the requests.
  TakenSpace near_marks(width, height);
  for (const LabelRequest& request : requests) {
    const Box mark = MarkBox(*request.mark);
    near_marks.Take({mark.left - kOtherMarkClearancePixels, mark.top - kOtherMarkClearancePixels,
                     mark.right + kOtherMarkClearancePixels,
                     mark.bottom + kOtherMarkClearancePixels});
  }

  const Box picture{0, 0, width, height};
  std::vector<MapLabel> labels;
  for (const LabelRequest* request : order) {
    const double label_width = LabelWidth(request->text);
    const std::size_t own_mark = static_cast<std::size_t>(request - requests.data());
    const std::array<Box, 8> spots = Spots(*request->mark, label_width, kMapLabelFontPixels);
    const auto usable = [&](const Box& spot, bool clear_of_other_marks) {
      const bool inside = spot.left >= picture.left && spot.top >= picture.top &&
                          spot.right <= picture.right && spot.bottom <= picture.bottom;
      return inside && taken.IsFree(spot) &&
             (!clear_of_other_marks || near_marks.IsFreeBut(spot, own_mark));
    };
    const Box* chosen = nullptr;
    for (const bool clear_of_other_marks : {true, false}) {
      for (const Box& spot : spots) {
        if (!chosen && usable(spot, clear_of_other_marks))
          chosen = &spot;
      }
    }
    if (!chosen)
      continue;
    taken.Take(*chosen);
    labels.push_back({request->text,
                      {chosen->left, chosen->top},
                      label_width,
                      kMapLabelFontPixels,
                      request->mark->row});
  }
  return labels;
}

}  // namespace korvanta

#include "win32/map_painting.hpp"

#include <memory>
#include <string>
#include <vector>

#include "io/wide_text.hpp"
#include "map/map_style.hpp"

namespace korvanta::win32 {

namespace {

using Gdiplus::Color;
using Gdiplus::PointF;

// The map's SVG colours.
Color ColourOf(const MapColour& colour) {
  return Color(colour.red, colour.green, colour.blue);
}
const Color kSea = ColourOf(kMapSeaColour);
const Color kLand = ColourOf(kMapLandColour);
const Color kGraticule = ColourOf(kMapGraticuleColour);
const Color kLeg = ColourOf(kMapLegColour);
const Color kInk = ColourOf(kMapInkColour);
const Color kMarkFill = ColourOf(kMapMarkFillColour);
// The selected point's ring: the system's selection blue on a white halo, so
// that it shows on the red legs and the dark end marks alike.
const Color kRing(0x00, 0x78, 0xd7);
const Color kRingHalo(0xff, 0xff, 0xff);

constexpr auto kGraticuleWidth = static_cast<float>(kMapGraticuleStroke);
constexpr auto kLegWidth = static_cast<float>(kMapLegStroke);
constexpr auto kMarkOutlineWidth = static_cast<float>(kMapMarkStroke);
constexpr float kRingWidth = 2.5F;
constexpr float kRingHaloWidth = 5;
// How far the ring lies outside the mark it rings.
constexpr double kRingGap = 4;
// Where the label's baseline sits in its box, as in the SVG.
constexpr double kLabelBaseline = 0.8;

std::vector<PointF> PointsOf(const std::vector<MapPixel>& line) {
  std::vector<PointF> points;
  points.reserve(line.size());
  for (const MapPixel pixel : line)
    points.emplace_back(static_cast<float>(pixel.x), static_cast<float>(pixel.y));
  return points;
}

void PaintLines(Gdiplus::Graphics& graphics, const std::vector<std::vector<MapPixel>>& lines,
                const Gdiplus::Pen& pen) {
  for (const std::vector<MapPixel>& line : lines) {
    if (line.size() < 2)
      continue;
    const std::vector<PointF> points = PointsOf(line);
    graphics.DrawLines(&pen, points.data(), static_cast<INT>(points.size()));
  }
}

void PaintLand(Gdiplus::Graphics& graphics, const std::vector<std::vector<MapPixel>>& rings) {
  Gdiplus::GraphicsPath land(Gdiplus::FillModeAlternate);
  for (const std::vector<MapPixel>& ring : rings) {
    if (ring.size() < 3)
      continue;
    const std::vector<PointF> points = PointsOf(ring);
    land.StartFigure();
    land.AddLines(points.data(), static_cast<INT>(points.size()));
    land.CloseFigure();
  }
  const Gdiplus::SolidBrush brush(kLand);
  graphics.FillPath(&brush, &land);
}

Gdiplus::RectF Square(MapPixel centre, double radius) {
  return {static_cast<float>(centre.x - radius), static_cast<float>(centre.y - radius),
          static_cast<float>(2 * radius), static_cast<float>(2 * radius)};
}

void PaintMarks(Gdiplus::Graphics& graphics, const std::vector<MapMark>& marks) {
  const Gdiplus::Pen outline(kInk, kMarkOutlineWidth);
  const Gdiplus::SolidBrush point_fill(kMarkFill);
  const Gdiplus::SolidBrush end_fill(kInk);
  for (const MapMark& mark : marks) {
    const bool end = mark.end_airport;
    const Gdiplus::RectF square =
        Square(mark.at, end ? kMapEndMarkRadiusPixels : kMapMarkRadiusPixels);
    graphics.FillEllipse(end ? &end_fill : &point_fill, square);
    graphics.DrawEllipse(&outline, square);
  }
}

// The monospaced faces the SVG's labels ask for, the first the system has:
// their advance stays within the label boxes the picture measured. Consolas
// and Courier New are Windows' own; the others are what Wine finds on a
// Linux desktop, where the Windows faces may be missing.
constexpr const wchar_t* kLabelFaces[] = {L"Consolas", L"Courier New", L"DejaVu Sans Mono",
                                          L"Liberation Mono", L"Courier"};

// None when the system has none of them: the labels are left out then.
std::unique_ptr<Gdiplus::FontFamily> LabelFamily() {
  for (const wchar_t* face : kLabelFaces) {
    auto family = std::make_unique<Gdiplus::FontFamily>(face);
    if (family->IsAvailable() != FALSE)
      return family;
  }
  return nullptr;
}

void PaintLabels(Gdiplus::Graphics& graphics, const std::vector<MapLabel>& labels) {
  const std::unique_ptr<Gdiplus::FontFamily> family = labels.empty() ? nullptr : LabelFamily();
  if (family == nullptr)
    return;
  const Gdiplus::Font font(family.get(), static_cast<Gdiplus::REAL>(kMapLabelFontPixels),
                           Gdiplus::FontStyleRegular, Gdiplus::UnitPixel);
  const double ascent = kMapLabelFontPixels * family->GetCellAscent(Gdiplus::FontStyleRegular) /
                        family->GetEmHeight(Gdiplus::FontStyleRegular);
  const Gdiplus::SolidBrush ink(kInk);
  for (const MapLabel& label : labels) {
    const std::wstring text = WideFromUtf8(label.text);
    const PointF origin(
        static_cast<float>(label.top_left.x),
        static_cast<float>(label.top_left.y + label.height * kLabelBaseline - ascent));
    graphics.DrawString(text.c_str(), static_cast<INT>(text.size()), &font, origin,
                        Gdiplus::StringFormat::GenericTypographic(), &ink);
  }
}

}  // namespace

GdiplusSession::GdiplusSession() {
  const Gdiplus::GdiplusStartupInput input;
  Gdiplus::GdiplusStartup(&token_, &input, nullptr);
}

GdiplusSession::~GdiplusSession() {
  Gdiplus::GdiplusShutdown(token_);
}

void PaintMap(Gdiplus::Graphics& graphics, const MapPicture& picture) {
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  graphics.SetTextRenderingHint(Gdiplus::TextRenderingHintAntiAliasGridFit);
  graphics.Clear(kSea);
  PaintLand(graphics, picture.land);
  PaintLines(graphics, picture.graticule, Gdiplus::Pen(kGraticule, kGraticuleWidth));
  Gdiplus::Pen leg(kLeg, kLegWidth);
  leg.SetLineJoin(Gdiplus::LineJoinRound);
  PaintLines(graphics, picture.legs, leg);
  PaintMarks(graphics, picture.marks);
  PaintLabels(graphics, picture.labels);
}

void PaintRowRing(Gdiplus::Graphics& graphics, const MapPicture& picture, std::size_t row) {
  graphics.SetSmoothingMode(Gdiplus::SmoothingModeAntiAlias);
  graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
  const Gdiplus::Pen halo(kRingHalo, kRingHaloWidth);
  const Gdiplus::Pen ring(kRing, kRingWidth);
  for (const MapMark& mark : picture.marks) {
    if (mark.row != row)
      continue;
    const double radius =
        (mark.end_airport ? kMapEndMarkRadiusPixels : kMapMarkRadiusPixels) + kRingGap;
    graphics.DrawEllipse(&halo, Square(mark.at, radius));
    graphics.DrawEllipse(&ring, Square(mark.at, radius));
  }
}

}  // namespace korvanta::win32

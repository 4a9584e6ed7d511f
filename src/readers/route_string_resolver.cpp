#include "readers/route_string_resolver.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <optional>
#include <string>

#include "route/identifiers.hpp"

namespace korvanta {

namespace {

// "NATA" to "NATZ": the tracks across the North Atlantic, drawn anew every day.
bool IsNorthAtlanticTrack(std::string_view name) {
  return name.size() == 4 && name.starts_with("NAT") && name[3] >= 'A' && name[3] <= 'Z';
}

// SID and STAR names carry their version's digit ("BPK7G", "ROBUC3"); a
// misspelt point next to an airport has none and is refused, not left out.
bool MayBeProcedure(std::string_view name) {
  return name.find_first_of("0123456789") != std::string_view::npos;
}

// The walk along the elements: the points taken so far and where the route
// stands.
class RouteWalk {
 public:
  RouteWalk(const NavigationData& data, std::string_view departure, Position departure_position)
      : data_(data), previous_name_(departure), previous_position_(departure_position) {}

  std::optional<PlanReadError> Take(std::span<const RouteElement> elements);
  std::vector<PlanPoint> TakePoints() { return std::move(points_); }

 private:
  std::optional<PlanReadError> TakeName(std::span<const RouteElement> elements, std::size_t index);
  std::optional<PlanReadError> FollowAirway(std::string_view end);
  bool IsAirway(std::string_view name, const std::vector<PointIndex>& points_named) const;
  PointIndex Nearest(std::vector<PointIndex> candidates, const RouteElement* airway_next) const;
  void AddDataPoint(PointIndex index);
  void AddPosition(const RouteElement& element);
  PlanReadError AirwayWithoutEnd() const;
  std::string CycleText() const;

  const NavigationData& data_;
  std::vector<PlanPoint> points_;
  std::string previous_name_;
  Position previous_position_;
  // The data's point the route stands on; none at the departure and at a
  // latitude/longitude point, which no airway leaves.
  std::optional<PointIndex> previous_index_;
  // The airway named after the previous point, until the point where the
  // route leaves it.
  std::string airway_;
};

std::optional<PlanReadError> RouteWalk::Take(std::span<const RouteElement> elements) {
  for (std::size_t index = 0; index < elements.size(); ++index) {
    const RouteElement& element = elements[index];
    // Airways between far points of long airways could make more points
    // than any route has.
    if (points_.size() > kPlanPointsLimit)
      return PlanReadError{std::string(kTooManyPlanPoints)};
    if (element.kind == RouteElementKind::kName) {
      if (std::optional<PlanReadError> error = TakeName(elements, index))
        return error;
      continue;
    }
    if (!airway_.empty())
      return AirwayWithoutEnd();
    if (element.kind == RouteElementKind::kPosition)
      AddPosition(element);
  }
  if (!airway_.empty())
    return AirwayWithoutEnd();
  return std::nullopt;
}

std::optional<PlanReadError> RouteWalk::TakeName(std::span<const RouteElement> elements,
                                                 std::size_t index) {
  const std::string_view name = elements[index].text;
  if (!airway_.empty())
    return FollowAirway(name);
  std::vector<PointIndex> candidates = data_.Named(name);
  if (candidates.empty() && IsNorthAtlanticTrack(name))
    return PlanReadError{fmt::format(
        "{}: a North Atlantic track changes every day: give the track's points instead", name)};
  if (IsAirway(name, candidates)) {
    airway_ = name;
    return std::nullopt;
  }
  const RouteElement* next = index + 1 < elements.size() ? &elements[index + 1] : nullptr;
  const bool airway_next =
      next != nullptr && next->kind == RouteElementKind::kName && data_.HasAirway(next->text);
  if (candidates.empty()) {
    const bool after_departure = index == 0 && !airway_next;
    const bool before_destination = index + 1 == elements.size();
    if ((after_departure || before_destination) && MayBeProcedure(name))
      return std::nullopt;
    return PlanReadError{
        fmt::format("{}: no such point in the navigation data{}", name, CycleText())};
  }
  AddDataPoint(Nearest(std::move(candidates), airway_next ? next : nullptr));
  return std::nullopt;
}

// A name that is an airway and no point is one; a name of both is the
// airway when the route stands on it.
bool RouteWalk::IsAirway(std::string_view name, const std::vector<PointIndex>& points_named) const {
  if (!data_.HasAirway(name))
    return false;
  return points_named.empty() || (previous_index_ && data_.OnAirway(name, *previous_index_));
}

std::optional<PlanReadError> RouteWalk::FollowAirway(std::string_view end) {
  std::optional<std::vector<PointIndex>> along;
  if (previous_index_)
    along = data_.AlongAirway(airway_, *previous_index_, end);
  if (!along)
    return PlanReadError{
        fmt::format("{} does not reach {} from {}{}", airway_, end, previous_name_, CycleText())};
  points_.back().airway = airway_;
  for (std::size_t step = 0; step < along->size(); ++step) {
    AddDataPoint((*along)[step]);
    if (step + 1 < along->size())
      points_.back().airway = airway_;
  }
  airway_.clear();
  return std::nullopt;
}

// Of the points of one name, the one nearest to where the route stands;
// when an airway follows, of those on it if any are.
PointIndex RouteWalk::Nearest(std::vector<PointIndex> candidates,
                              const RouteElement* airway_next) const {
  if (airway_next != nullptr) {
    std::vector<PointIndex> on_airway;
    std::copy_if(candidates.begin(), candidates.end(), std::back_inserter(on_airway),
                 [&](PointIndex index) { return data_.OnAirway(airway_next->text, index); });
    if (!on_airway.empty())
      candidates = std::move(on_airway);
  }
  return *std::min_element(candidates.begin(), candidates.end(),
                           [this](PointIndex left, PointIndex right) {
                             return DistanceNm(previous_position_, data_.Point(left).position) <
                                    DistanceNm(previous_position_, data_.Point(right).position);
                           });
}

void RouteWalk::AddDataPoint(PointIndex index) {
  const NavigationPoint& point = data_.Point(index);
  PlanPoint& added = points_.emplace_back();
  added.id = point.Id();
  added.kind = point.kind;
  added.lat = point.position.latitude;
  added.lon = point.position.longitude;
  added.position_text = added.id;
  added.frequency = point.FrequencyText();
  previous_name_ = added.id;
  previous_position_ = point.position;
  previous_index_ = index;
}

void RouteWalk::AddPosition(const RouteElement& element) {
  PlanPoint& added = points_.emplace_back();
  added.id = element.text;
  added.lat = element.position.latitude;
  added.lon = element.position.longitude;
  added.position_text = element.text;
  // The whole-degree name is one that every target holds, and the route
  // finder's text keeps it; the other forms take the route's own name.
  added.named_from_position = !IsWholeDegreePositionName(element.text);
  previous_name_ = element.text;
  previous_position_ = element.position;
  previous_index_.reset();
}

PlanReadError RouteWalk::AirwayWithoutEnd() const {
  return {fmt::format("{}: no point follows the airway to say where the route leaves it", airway_)};
}

std::string RouteWalk::CycleText() const {
  return data_.cycle.empty() ? std::string() : fmt::format(" (cycle {})", data_.cycle);
}

}  // namespace

RoutePointsResult ResolveRouteElements(std::span<const RouteElement> elements,
                                       const NavigationData& data, std::string_view departure,
                                       Position departure_position) {
  RouteWalk walk(data, departure, departure_position);
  if (std::optional<PlanReadError> error = walk.Take(elements))
    return *error;
  return walk.TakePoints();
}

bool NamesNavigationPoints(std::span<const RouteElement> elements) {
  return std::any_of(elements.begin(), elements.end(), [](const RouteElement& element) {
    return element.kind == RouteElementKind::kName;
  });
}

}  // namespace korvanta

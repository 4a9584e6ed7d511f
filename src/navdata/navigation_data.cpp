#include "navdata/navigation_data.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <deque>
#include <limits>
#include <unordered_map>
#include <utility>

namespace korvanta {

namespace {

// The text up to its first NUL (which would end it in the array), cut to
// fit the array.
template <std::size_t Size>
std::array<char, Size> Chars(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  std::array<char, Size> chars{};
  std::copy_n(text.begin(), std::min(text.size(), Size - 1), chars.begin());
  return chars;
}

template <std::size_t Size>
std::string_view View(const std::array<char, Size>& chars) {
  return {chars.data(),
          static_cast<std::size_t>(std::find(chars.begin(), chars.end(), '\0') - chars.begin())};
}

constexpr double kRadiansPerHundredth = 3.14159265358979323846 / (180.0 * kHundredthsPerDegree);
constexpr double kEarthRadiusNm = 3440.065;
// Two listings of one point differ by rounding only: a tenth of a minute.
constexpr std::int32_t kSamePlace = kHundredthsPerMinute / 10;

// An identifier's eight characters as one number, the key of the hash.
std::uint64_t IdKey(const std::array<char, 8>& chars) {
  std::uint64_t key = 0;
  for (const char c : chars)
    key = (key << 8) | static_cast<unsigned char>(c);
  return key;
}

// An identifier key mixed so that every bit of it reaches every bit of the
// result (the mix at the end of MurmurHash3): the low bits give the place
// in the hash, the high ones the fingerprint.
std::uint64_t MixedKey(std::uint64_t key) {
  key ^= key >> 33;
  key *= 0xFF51AFD7ED558CCDull;
  key ^= key >> 33;
  key *= 0xC4CEB9FE1A85EC53ull;
  key ^= key >> 33;
  return key;
}

constexpr std::size_t kSmallestHash = 1024;

bool SamePlace(Position left, Position right) {
  return std::abs(left.latitude - right.latitude) <= kSamePlace &&
         std::abs(left.longitude - right.longitude) <= kSamePlace;
}

}  // namespace

std::string_view NavigationPoint::Id() const {
  return View(id_chars);
}

std::string_view NavigationPoint::Region() const {
  return View(region_chars);
}

std::string NavigationPoint::FrequencyText() const {
  if (frequency == 0)
    return "0";
  if (kind == WaypointKind::kNdb) {
    if (frequency % 10 == 0)
      return fmt::format("{}", frequency / 10);
    return fmt::format("{}.{}", frequency / 10, frequency % 10);
  }
  return fmt::format("{}.{:02}", frequency / 100, frequency % 100);
}

double DistanceNm(Position from, Position to) {
  const double lat1 = from.latitude * kRadiansPerHundredth;
  const double lat2 = to.latitude * kRadiansPerHundredth;
  const double half_dlat = (lat2 - lat1) / 2;
  const double half_dlon = (to.longitude - from.longitude) * kRadiansPerHundredth / 2;
  const double a = std::sin(half_dlat) * std::sin(half_dlat) +
                   std::cos(lat1) * std::cos(lat2) * std::sin(half_dlon) * std::sin(half_dlon);
  return 2 * kEarthRadiusNm * std::asin(std::min(1.0, std::sqrt(a)));
}

void NavigationData::Reserve(std::size_t points, std::size_t airway_legs) {
  points_.reserve(points);
  GrowHash(points);
  legs_.reserve(airway_legs);
}

void NavigationData::GrowHash(std::size_t points) {
  std::size_t size = std::max(kSmallestHash, by_id_.size());
  while (size * 5 < points * 8)
    size *= 2;
  if (size == by_id_.size())
    return;
  const std::vector<HashedPoint> old = std::exchange(by_id_, std::vector<HashedPoint>(size));
  for (const HashedPoint& hashed : old) {
    if (hashed.index != kNoPoint)
      HashPoint(hashed.index);
  }
}

void NavigationData::HashPoint(PointIndex index) {
  const std::uint64_t mixed = MixedKey(IdKey(points_[index].id_chars));
  const std::size_t mask = by_id_.size() - 1;
  std::size_t place = static_cast<std::size_t>(mixed) & mask;
  while (by_id_[place].index != kNoPoint)
    place = (place + 1) & mask;
  by_id_[place] = {static_cast<std::uint32_t>(mixed >> 32), index};
}

PointIndex NavigationData::AddPoint(std::string_view id, std::string_view region, WaypointKind kind,
                                    Position position, std::uint32_t frequency) {
  NavigationPoint point;
  point.id_chars = Chars<8>(id);
  point.region_chars = Chars<3>(region);
  point.kind = kind;
  point.position = position;
  point.frequency = frequency;
  points_.push_back(point);
  const auto index = static_cast<PointIndex>(points_.size() - 1);
  GrowHash(points_.size());
  HashPoint(index);
  return index;
}

std::uint32_t NavigationData::AirwayNumber(std::string_view airway) {
  const auto [found, added] = airway_numbers_.try_emplace(
      std::string(airway), static_cast<std::uint32_t>(airway_names_.size()));
  if (added)
    airway_names_.emplace_back(airway);
  return found->second;
}

void NavigationData::AddAirwayLeg(std::string_view airway, PointIndex from, PointIndex to) {
  legs_.push_back({AirwayNumber(airway), from, to});
}

PointIndex NavigationData::PointAt(std::string_view id, Position position) {
  if (const std::optional<PointIndex> listed = PointNear(id, position))
    return *listed;
  return AddPoint(id, {}, WaypointKind::kIntersection, position);
}

std::optional<PointIndex> NavigationData::PointNear(std::string_view id, Position position) const {
  // A navaid and a fix of its name at its place are one point: the navaid,
  // which carries the kind and the frequency.
  std::optional<PointIndex> found;
  double found_distance = 0;
  ForEachNamed(id, [&](PointIndex index) {
    const NavigationPoint& point = points_[index];
    if (!SamePlace(point.position, position))
      return;
    const double distance = DistanceNm(point.position, position);
    const bool navaid = point.kind != WaypointKind::kIntersection;
    const bool found_navaid = found && points_[*found].kind != WaypointKind::kIntersection;
    if (!found || (navaid && !found_navaid) ||
        (navaid == found_navaid &&
         (distance < found_distance || (distance == found_distance && index < *found)))) {
      found = index;
      found_distance = distance;
    }
  });
  return found;
}

std::optional<PointIndex> NavigationData::PointOf(std::string_view id, std::string_view region,
                                                  WaypointKind kind) const {
  std::optional<PointIndex> found;
  ForEachNamed(id, [&](PointIndex index) {
    if (points_[index].Region() == region && points_[index].kind == kind &&
        (!found || index < *found))
      found = index;
  });
  return found;
}

void NavigationData::Finish() {
  std::stable_sort(legs_.begin(), legs_.end(), [](const AirwayLeg& left, const AirwayLeg& right) {
    return left.airway < right.airway;
  });
  airway_order_.resize(airway_names_.size());
  for (std::uint32_t number = 0; number < airway_order_.size(); ++number)
    airway_order_[number] = number;
  std::sort(airway_order_.begin(), airway_order_.end(),
            [this](std::uint32_t left, std::uint32_t right) {
              return airway_names_[left] < airway_names_[right];
            });
}

template <typename Visit>
void NavigationData::ForEachNamed(std::string_view id, Visit&& visit) const {
  if (id.size() > 7)
    return;
  const std::uint64_t key = IdKey(Chars<8>(id));
  if (by_id_.empty())
    return;
  const std::uint64_t mixed = MixedKey(key);
  const auto fingerprint = static_cast<std::uint32_t>(mixed >> 32);
  const std::size_t mask = by_id_.size() - 1;
  for (std::size_t place = static_cast<std::size_t>(mixed) & mask; by_id_[place].index != kNoPoint;
       place = (place + 1) & mask) {
    const HashedPoint& hashed = by_id_[place];
    if (hashed.fingerprint == fingerprint && IdKey(points_[hashed.index].id_chars) == key)
      visit(hashed.index);
  }
}

std::vector<PointIndex> NavigationData::Named(std::string_view id) const {
  std::vector<PointIndex> found;
  ForEachNamed(id, [&found](PointIndex index) { found.push_back(index); });
  return found;
}

std::optional<PointIndex> NavigationData::Nearest(std::string_view id, Position near,
                                                  std::string_view region) const {
  std::optional<PointIndex> nearest;
  double best = std::numeric_limits<double>::infinity();
  ForEachNamed(id, [&](PointIndex index) {
    if (!region.empty() && points_[index].Region() != region)
      return;
    const double distance = DistanceNm(near, points_[index].position);
    if (distance < best || (distance == best && nearest && index < *nearest)) {
      best = distance;
      nearest = index;
    }
  });
  return nearest;
}

std::optional<std::uint32_t> NavigationData::FindAirway(std::string_view airway) const {
  const auto found = std::lower_bound(
      airway_order_.begin(), airway_order_.end(), airway,
      [this](std::uint32_t number, std::string_view name) { return airway_names_[number] < name; });
  if (found == airway_order_.end() || airway_names_[*found] != airway)
    return std::nullopt;
  return *found;
}

std::span<const NavigationData::AirwayLeg> NavigationData::LegsOf(std::uint32_t airway) const {
  const auto [first, last] = std::equal_range(
      legs_.begin(), legs_.end(), AirwayLeg{airway, 0, 0},
      [](const AirwayLeg& left, const AirwayLeg& right) { return left.airway < right.airway; });
  return {first, last};
}

bool NavigationData::HasAirway(std::string_view airway) const {
  return FindAirway(airway).has_value();
}

bool NavigationData::OnAirway(std::string_view airway, PointIndex point) const {
  const std::optional<std::uint32_t> number = FindAirway(airway);
  if (!number)
    return false;
  for (const AirwayLeg& leg : LegsOf(*number)) {
    if (leg.from == point || leg.to == point)
      return true;
  }
  return false;
}

std::optional<std::vector<PointIndex>> NavigationData::AlongAirway(std::string_view airway,
                                                                   PointIndex from,
                                                                   std::string_view to_id) const {
  const std::optional<std::uint32_t> number = FindAirway(airway);
  if (!number)
    return std::nullopt;
  const std::span<const AirwayLeg> legs = LegsOf(*number);
  // A breadth-first walk over the airway's legs: an airway has a few hundred
  // points at most, so a map of those reached is enough.
  std::unordered_map<PointIndex, PointIndex> reached_from{{from, from}};
  std::deque<PointIndex> waiting{from};
  while (!waiting.empty()) {
    const PointIndex here = waiting.front();
    waiting.pop_front();
    if (here != from && points_[here].Id() == to_id) {
      std::vector<PointIndex> path;
      for (PointIndex step = here; step != from; step = reached_from[step])
        path.push_back(step);
      std::reverse(path.begin(), path.end());
      return path;
    }
    for (const AirwayLeg& leg : legs) {
      PointIndex next = 0;
      if (leg.from == here)
        next = leg.to;
      else if (leg.to == here)
        next = leg.from;
      else
        continue;
      if (reached_from.emplace(next, here).second)
        waiting.push_back(next);
    }
  }
  return std::nullopt;
}

std::size_t NavigationData::CountOf(WaypointKind kind) const {
  return static_cast<std::size_t>(
      std::count_if(points_.begin(), points_.end(),
                    [kind](const NavigationPoint& point) { return point.kind == kind; }));
}

std::size_t NavigationData::AirwayCount() const {
  return airway_names_.size();
}

}  // namespace korvanta

#include "route/tables.hpp"

#include <algorithm>
#include <array>
#include <functional>

#include "errors/run_error.hpp"
#include "text/text.hpp"
#include "text/utf8.hpp"

namespace korvanta {

char KindLetter(WaypointKind kind) {
  switch (kind) {
    case WaypointKind::kAirport:
      return 'A';
    case WaypointKind::kVor:
      return 'V';
    case WaypointKind::kNdb:
      return 'N';
    case WaypointKind::kIntersection:
      break;
  }
  return 'I';
}

WaypointKind KindOfLetter(std::string_view letter) {
  for (const WaypointKind kind : {WaypointKind::kAirport, WaypointKind::kVor, WaypointKind::kNdb}) {
    if (letter.size() == 1 && letter.front() == KindLetter(kind))
      return kind;
  }
  return WaypointKind::kIntersection;
}

std::string CutToWidth(std::string_view text, std::size_t width) {
  return std::string(CharacterSlice(text, 0, width));
}

Waypoint WaypointTable::Stored(Waypoint row) {
  row.id = CutToWidth(row.id, kIdWidth);
  row.lat = CutToWidth(row.lat, kLatWidth);
  row.lon = CutToWidth(row.lon, kLonWidth);
  row.route = CutToWidth(row.route, kRouteWidth);
  row.freq = CutToWidth(row.freq, kFreqWidth);
  row.track = CutToWidth(row.track, kTrackWidth);
  return row;
}

void WaypointTable::Append(Waypoint row) {
  rows_.push_back(Stored(std::move(row)));
}

void WaypointTable::ReplaceLast(Waypoint row) {
  rows_.back() = Stored(std::move(row));
}

void AirportRunways::Clear() {
  rows_.clear();
  sorted_ = true;
}

void AirportRunways::Append(AirportRunway row) {
  // The database's bytes as they stand (see AirportDatabase::Elevation).
  row.icao.resize(std::min(row.icao.size(), kIcaoWidth));
  rows_.push_back(std::move(row));
  sorted_ = rows_.size() < 2;
}

namespace {

// The sort key of an `icao` text: its upper-cased bytes, big-endian, so that
// integer order is the text order without regard to letter case. Texts are
// at most five bytes, so the length fits in the lowest byte.
std::uint64_t SortKey(std::string_view icao) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < AirportRunways::kIcaoWidth; ++i) {
    const auto byte = i < icao.size() ? static_cast<unsigned char>(AsciiUpper(icao[i])) : 0u;
    key = (key << 8) | byte;
  }
  return (key << 8) | icao.size();
}

// The sort key of a row, or a key itself (for the table's binary search).
std::uint64_t KeyOf(const AirportRunway& row) {
  return SortKey(row.icao);
}
std::uint64_t KeyOf(std::uint64_t key) {
  return key;
}

}  // namespace

namespace {

// The order that sorts `keys` ascending, equal keys in their given order: a
// least-significant-digit radix sort over the keys' six bytes, linear in the
// rows. Empty when the keys are in order already.
std::vector<std::uint32_t> SortedOrder(const std::vector<std::uint64_t>& keys) {
  const std::size_t n = keys.size();
  if (std::is_sorted(keys.begin(), keys.end()))
    return {};
  std::vector<std::uint32_t> order(n), scratch(n);
  for (std::size_t i = 0; i < n; ++i)
    order[i] = static_cast<std::uint32_t>(i);
  for (int shift = 0; shift < 48; shift += 8) {
    std::array<std::size_t, 257> start{};
    for (const std::uint64_t key : keys)
      ++start[((key >> shift) & 0xFF) + 1];
    if (start[((keys[0] >> shift) & 0xFF) + 1] == n)
      continue;  // one digit only
    for (std::size_t d = 1; d < start.size(); ++d)
      start[d] += start[d - 1];
    for (const std::uint32_t row : order)
      scratch[start[(keys[row] >> shift) & 0xFF]++] = row;
    order.swap(scratch);
  }
  return order;
}

}  // namespace

void AirportRunways::Sort() {
  std::vector<std::uint64_t> keys(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i)
    keys[i] = SortKey(rows_[i].icao);
  const std::vector<std::uint32_t> order = SortedOrder(keys);
  if (!order.empty()) {
    std::vector<AirportRunway> sorted;
    sorted.reserve(rows_.size());
    for (const std::uint32_t row : order)
      sorted.push_back(std::move(rows_[row]));
    rows_ = std::move(sorted);
  }
  sorted_ = true;
}

void AirportRunways::AssignSorted(const std::vector<PackedAirportRunway>& entries) {
  std::vector<std::uint64_t> keys(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    keys[i] = SortKey(std::string_view(entries[i].icao.data(), entries[i].size));
  }
  const std::vector<std::uint32_t> order = SortedOrder(keys);
  rows_.clear();
  rows_.reserve(entries.size());
  const auto add = [this](const PackedAirportRunway& e) {
    rows_.push_back(
        AirportRunway{std::string(e.icao.data(), e.size), e.alt, e.name, e.name_size, e.threshold});
  };
  if (order.empty()) {
    for (const PackedAirportRunway& e : entries)
      add(e);
  } else {
    for (const std::uint32_t row : order)
      add(entries[row]);
  }
  sorted_ = true;
}

std::span<const AirportRunway> AirportRunways::Candidates(std::string_view icao) const {
  if (!sorted_)
    return rows_;
  // Rows equal without regard to case sit together, in table order.
  if (icao.size() > kIcaoWidth)
    return {};
  const std::uint64_t key = SortKey(icao);
  const auto [first, last] = std::equal_range(
      rows_.begin(), rows_.end(), key,
      [](const auto& left, const auto& right) { return KeyOf(left) < KeyOf(right); });
  return {first, last};
}

const AirportRunway* AirportRunways::FindFirst(std::string_view icao) const {
  for (const AirportRunway& row : Candidates(icao)) {
    if (row.icao == icao)
      return &row;
  }
  return nullptr;
}

std::vector<const AirportRunway*> AirportRunways::FindAll(std::string_view icao) const {
  std::vector<const AirportRunway*> found;
  for (const AirportRunway& row : Candidates(icao)) {
    if (row.icao == icao)
      found.push_back(&row);
  }
  return found;
}

}  // namespace korvanta

#include "route/tables.hpp"

#include <algorithm>

namespace korvanta {

std::string CutToWidth(std::string_view text, std::size_t width) {
  return std::string(text.substr(0, width));
}

RmRow RmTable::Stored(RmRow row) {
  row.id = CutToWidth(row.id, kIdWidth);
  row.lat = CutToWidth(row.lat, kLatWidth);
  row.lon = CutToWidth(row.lon, kLonWidth);
  row.route = CutToWidth(row.route, kRouteWidth);
  row.typ = CutToWidth(row.typ, kTypWidth);
  row.freq = CutToWidth(row.freq, kFreqWidth);
  row.track = CutToWidth(row.track, kTrackWidth);
  return row;
}

void RmTable::Append(RmRow row) {
  rows_.push_back(Stored(std::move(row)));
}

void RmTable::ReplaceLast(RmRow row) {
  rows_.back() = Stored(std::move(row));
}

void AptTable::Empty() {
  rows_.clear();
  sorted_ = true;
  cursor_ = 0;
}

void AptTable::Append(AptRow row) {
  row.icao = CutToWidth(row.icao, kIcaoWidth);
  rows_.push_back(std::move(row));
  sorted_ = rows_.size() < 2;
  cursor_ = rows_.size() - 1;
}

namespace {

// ASCII upper case, whatever the user's locale.
char Upper(char c) {
  return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

// The sort key of an `icao` text: its upper-cased bytes, big-endian, so that
// integer order is the text order without regard to letter case. Texts are
// at most five bytes, so the length fits in the lowest byte.
std::uint64_t SortKey(std::string_view icao) {
  std::uint64_t key = 0;
  for (std::size_t i = 0; i < AptTable::kIcaoWidth; ++i) {
    const auto byte = i < icao.size() ? static_cast<unsigned char>(Upper(icao[i])) : 0u;
    key = (key << 8) | byte;
  }
  return (key << 8) | icao.size();
}

}  // namespace

void AptTable::Sort() {
  std::vector<std::pair<std::uint64_t, std::uint32_t>> keys(rows_.size());
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    keys[i] = {SortKey(rows_[i].icao), static_cast<std::uint32_t>(i)};
  }
  // Ties are broken by the original position, which keeps the sort stable.
  std::sort(keys.begin(), keys.end());
  std::vector<AptRow> sorted;
  sorted.reserve(rows_.size());
  for (const auto& k : keys)
    sorted.push_back(std::move(rows_[k.second]));
  rows_ = std::move(sorted);
  sorted_ = true;
  cursor_ = 0;
}

const AptRow* AptTable::FindFirst(std::string_view icao) const {
  if (!sorted_) {
    for (const AptRow& row : rows_) {
      if (row.icao == icao)
        return &row;
    }
    return nullptr;
  }
  // Rows equal without regard to case sit together; the first exact match
  // among them is the first exact match of the table.
  if (icao.size() > kIcaoWidth)
    return nullptr;
  const std::uint64_t key = SortKey(icao);
  auto it =
      std::lower_bound(rows_.begin(), rows_.end(), key,
                       [](const AptRow& row, std::uint64_t k) { return SortKey(row.icao) < k; });
  for (; it != rows_.end() && SortKey(it->icao) == key; ++it) {
    if (it->icao == icao)
      return &*it;
  }
  return nullptr;
}

const AptRow* AptTable::Locate(std::string_view icao) {
  if (cursor_ < rows_.size() && rows_[cursor_].icao == icao)
    return &rows_[cursor_];
  const AptRow* found = FindFirst(icao);
  if (found)
    cursor_ = static_cast<std::size_t>(found - rows_.data());
  return found;
}

}  // namespace korvanta

#include "navdata/kln_navigation_points.hpp"

#include <functional>

#include "errors/run_error.hpp"

namespace korvanta {

void KlnNavigationPoints::Clear() {
  rows_.clear();
  slots_.clear();
  indexed_ = false;
}

void KlnNavigationPoints::Append(KlnNavigationPoint row) {
  if (rows_.size() >= kNoRow)
    throw RunError("Too many navigation points to hold");
  if (row.lat.size() > kLatWidth)
    row.lat.resize(kLatWidth);
  if (row.lon.size() > kLonWidth)
    row.lon.resize(kLonWidth);
  rows_.push_back(std::move(row));
  indexed_ = false;
}

void KlnNavigationPoints::BuildIndex() const {
  std::size_t capacity = 16;
  while (capacity < rows_.size() * 2)
    capacity *= 2;
  slots_.assign(capacity, kNoRow);
  const std::size_t mask = capacity - 1;
  const std::hash<std::string_view> hash;
  for (std::uint32_t row = 0; row < rows_.size(); ++row) {
    std::size_t slot = hash(rows_[row].id) & mask;
    // A key already present keeps its first row.
    while (slots_[slot] != kNoRow && rows_[slots_[slot]].id != rows_[row].id)
      slot = (slot + 1) & mask;
    if (slots_[slot] == kNoRow)
      slots_[slot] = row;
  }
  indexed_ = true;
}

const KlnNavigationPoint* KlnNavigationPoints::Find(std::string_view id) const {
  if (rows_.empty())
    return nullptr;
  if (!indexed_)
    BuildIndex();
  const std::size_t mask = slots_.size() - 1;
  std::size_t slot = std::hash<std::string_view>{}(id)&mask;
  for (; slots_[slot] != kNoRow; slot = (slot + 1) & mask) {
    if (rows_[slots_[slot]].id == id)
      return &rows_[slots_[slot]];
  }
  return nullptr;
}

}  // namespace korvanta

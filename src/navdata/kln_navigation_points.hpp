#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta {

struct KlnNavigationPoint {
  std::string id;   // the point's lookup key
  std::string lat;  // latitude text
  std::string lon;  // longitude text
};

// The navigation points of the Tu-154's KLN 90B unit, as its data files give
// them, looked up by key when its plan is written. `lat` and `lon` are cut to their
// widths when stored; `id` is kept whole, so a key of any length is found.
class KlnNavigationPoints {
 public:
  static constexpr std::size_t kLatWidth = 12;
  static constexpr std::size_t kLonWidth = 12;

  void Clear();
  void Reserve(std::size_t rows) { rows_.reserve(rows); }
  // Adds a row at the end.
  void Append(KlnNavigationPoint row);
  // Exact, case-sensitive match on the whole `id`: the first match in load
  // order; null when none matches.
  const KlnNavigationPoint* Find(std::string_view id) const;

  std::size_t Count() const { return rows_.size(); }
  const std::vector<KlnNavigationPoint>& Rows() const { return rows_; }

 private:
  void BuildIndex() const;
  std::vector<KlnNavigationPoint> rows_;
  // Open addressing over the rows: for every distinct `id` the index of its
  // first row; kNoRow marks a free slot. A cache of the rows, built at the
  // first lookup after a change.
  static constexpr std::uint32_t kNoRow = 0xFFFFFFFFu;
  mutable std::vector<std::uint32_t> slots_;
  mutable bool indexed_ = false;
};

}  // namespace korvanta

#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string_view>

#include "navdata/navigation_source.hpp"

namespace korvanta::test {

// The points and airways of the FMC data folder below tests/data/navdata/fmc,
// entered here as its loader would index them (fixes and the VOR and NDB
// navaids; the files carry no regions).
inline NavigationData FmcTestNavigationData() {
  struct Listed {
    std::string_view id;
    WaypointKind kind;
    std::int32_t latitude;  // hundredths of an arc-second
    std::int32_t longitude;
    std::uint32_t frequency;
  };
  constexpr std::array<Listed, 19> kPoints = {{
      {"ABDIL", WaypointKind::kIntersection, 17988000, 3180000, 0},
      {"TOBAK", WaypointKind::kIntersection, 18033000, 2982000, 0},
      {"BAMEK", WaypointKind::kIntersection, 18072000, 2808000, 0},
      {"DILOR", WaypointKind::kIntersection, 18099000, 2689500, 0},
      {"GOMEL", WaypointKind::kIntersection, 18150000, 2400000, 0},
      {"HELIX", WaypointKind::kIntersection, 18180000, 2370000, 0},
      {"LUMAS", WaypointKind::kIntersection, 18360000, 1620000, 0},
      {"MOLOS", WaypointKind::kIntersection, 18276000, 2028000, 0},
      {"NERAS", WaypointKind::kIntersection, 18054000, 2910000, 0},
      {"PIRAN", WaypointKind::kIntersection, 18265500, 2236500, 0},
      {"RAXOS", WaypointKind::kIntersection, 17952000, 2532000, 0},
      {"SILBA", WaypointKind::kIntersection, 18348000, 2760000, 0},
      {"TIMOR", WaypointKind::kIntersection, 18216000, 1812000, 0},
      {"VESNA", WaypointKind::kIntersection, 18420000, 2280000, 0},
      {"BAMEK", WaypointKind::kIntersection, 12600000, -28800000, 0},  // over another continent
      {"ALF", WaypointKind::kVor, 18018000, 3096000, 11215},
      {"RUD", WaypointKind::kVor, 18120000, 2580000, 11430},
      {"KM", WaypointKind::kNdb, 18240000, 2160000, 3850},
      {"LX", WaypointKind::kNdb, 18210000, 2640000, 3385},
  }};
  constexpr std::array<std::pair<std::string_view, std::array<std::string_view, 6>>, 3> kAirways = {
      {
          {"UL602", {"ABDIL", "TOBAK", "BAMEK", "DILOR", "RUD", "GOMEL"}},
          {"UN850", {"LUMAS", "KM", "HELIX", "RUD"}},
          {"Y35", {"LX", "GOMEL", "PIRAN", "MOLOS"}},
      }};
  NavigationData data;
  std::map<std::string_view, PointIndex> first_of;
  for (const Listed& point : kPoints) {
    const PointIndex index =
        data.AddPoint(point.id, {}, point.kind, {point.latitude, point.longitude}, point.frequency);
    first_of.emplace(point.id, index);
  }
  for (const auto& [airway, ids] : kAirways) {
    for (std::size_t leg = 0; leg + 1 < ids.size() && !ids[leg + 1].empty(); ++leg)
      data.AddAirwayLeg(airway, first_of.at(ids[leg]), first_of.at(ids[leg + 1]));
  }
  data.Finish();
  data.cycle = "2613";
  return data;
}

// The same as a run's navigation source, made once for the test program.
inline const NavigationSource& FmcTestNavigation() {
  static const NavigationSource source(FmcTestNavigationData());
  return source;
}

}  // namespace korvanta::test

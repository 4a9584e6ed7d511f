#pragma once

// A generated route finder result for the benchmarks: 300 points from EAAA
// to EBBB over fixes, VORs and NDBs, flying west across the prime meridian
// so that both hemispheres occur.

#include <fmt/format.h>

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace korvanta::bench {

inline constexpr std::size_t kRoutePoints = 300;

// Deterministic across standard libraries, unlike the std distributions.
inline std::uint32_t RouteBelow(std::mt19937& rng, std::uint32_t n) {
  return rng() % n;
}

inline std::string Dms(char hemisphere, int degree_digits, std::int64_t seconds_total) {
  const std::int64_t degrees = seconds_total / 3600;
  const std::int64_t minutes = seconds_total / 60 % 60;
  const std::int64_t seconds = seconds_total % 60;
  return fmt::format("{}{:0{}d}\xC2\xB0{:02d}'{:02d}.00\"", hemisphere, degrees, degree_digits,
                     minutes, seconds);
}

inline std::vector<std::string> RouteLines() {
  std::mt19937 rng(300);
  std::vector<std::string> names;
  names.reserve(kRoutePoints);
  for (std::size_t i = 0; i < kRoutePoints; ++i) {
    if (i == 0) {
      names.emplace_back("EAAA");
    } else if (i + 1 == kRoutePoints) {
      names.emplace_back("EBBB");
    } else {
      std::string name;
      const std::size_t length = i % 5 == 1 ? 3 : 5;  // VORs and NDBs have short names
      for (std::size_t c = 0; c < length; ++c)
        name += static_cast<char>('A' + RouteBelow(rng, 26));
      names.push_back(std::move(name));
    }
  }

  std::vector<std::string> lines = {
      "Computed route from ALPHA/INTL (EAAA) to BETA FIELD (EBBB)",
      "Cruise altitude between FL330 and FL350",
  };
  constexpr std::string_view kAirways[] = {"-UL602-", "-DCT-", "-UN873-", "-UM605-", "-DCT-"};
  std::string chain;
  std::int64_t distance = 0;
  for (std::size_t i = 0; i < kRoutePoints; ++i) {
    chain += fmt::format("{} ({})", names[i], distance);
    if (i + 1 < kRoutePoints) {
      const std::string_view airway = i == 0                  ? "-SID-"
                                      : i + 2 == kRoutePoints ? "-STAR-"
                                                              : kAirways[i % std::size(kAirways)];
      chain += fmt::format(" {} >", airway);
    }
    if (i % 4 == 3 || i + 1 == kRoutePoints) {
      lines.push_back(std::move(chain));
      chain.clear();
    } else {
      chain += ' ';
    }
    distance += 10 + RouteBelow(rng, 40);
  }
  lines.emplace_back("Details:");
  lines.emplace_back("ID FREQ TRK DIST Coords Name");

  std::int64_t lat = 50 * 3600 + 2 * 60;  // seconds of arc
  std::int64_t lon = 8 * 3600 + 34 * 60;  // east positive
  for (std::size_t i = 0; i < kRoutePoints; ++i) {
    const std::string position =
        Dms('N', 2, lat) + ' ' + Dms(lon >= 0 ? 'E' : 'W', 3, lon >= 0 ? lon : -lon);
    const std::uint32_t track = 250 + RouteBelow(rng, 40);
    const std::uint32_t leg = 5 + RouteBelow(rng, 40);
    if (i == 0) {
      lines.push_back(fmt::format("{} 0 0 {} ALPHA", names[i], position));
    } else if (i + 1 == kRoutePoints) {
      lines.push_back(fmt::format("{} {} {} {} BETA", names[i], track, leg, position));
    } else if (i % 10 == 1) {
      const std::uint32_t khz = 108000 + 50 * RouteBelow(rng, 200);
      lines.push_back(fmt::format("{} {}.{:02d} {} {} {} {}", names[i], khz / 1000, khz % 1000 / 10,
                                  track, leg, position, names[i]));
    } else if (i % 10 == 6) {
      lines.push_back(fmt::format("{} {} {} {} {} {}", names[i], 190 + RouteBelow(rng, 1500), track,
                                  leg, position, names[i]));
    } else {
      lines.push_back(fmt::format("{} {} {} {} {}", names[i], track, leg, position, names[i]));
    }
    lat += static_cast<std::int64_t>(RouteBelow(rng, 120)) - 40;
    lon -= 120 + static_cast<std::int64_t>(RouteBelow(rng, 120));
  }
  lines.emplace_back("");
  return lines;
}

}  // namespace korvanta::bench

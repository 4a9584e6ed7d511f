#pragma once

// A whole world's navigation data in the FMC data folder's form, made up:
// about 250,000 fixes, 20,000 navaids (and the ILS lines a real file holds
// besides), 4,000 airways of 20 points, identifiers and airway names that
// repeat around the world; and a route string of 30 elements along a chain
// of its airways, with the airport list lines of its two airports.

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace korvanta::bench {

class SyntheticFmcFolder {
 public:
  static constexpr std::size_t kFixes = 250'000;
  static constexpr std::size_t kNavaids = 20'000;
  static constexpr std::size_t kIlsLines = 3'000;
  static constexpr std::size_t kAirways = 4'000;
  static constexpr std::size_t kAirwayPoints = 20;
  // The route: 2 airports, a speed and level group, 1 point, 13 airways and
  // their exits.
  static constexpr std::size_t kRouteAirways = 13;

  SyntheticFmcFolder()
      : folder_(std::filesystem::temp_directory_path() /
                fmt::format("korvanta-navigation-{}", std::random_device{}())) {
    std::filesystem::create_directories(folder_);
    MakeAirways();
    while (fixes_written_ < kFixes)
      AddFix(RandomPlace());
    while (navaids_written_ < kNavaids)
      AddNavaid(RandomPlace());
    for (std::size_t ils = 0; ils < kIlsLines; ++ils) {
      const Place place = RandomPlace();
      fmt::format_to(std::back_inserter(navaids_), "{:<24}{:<4} ILSD{:>10.6f}{:>11.6f}110.30T\r\n",
                     "RUNWAY", "I" + Letters(3), place.latitude, place.longitude);
    }
    Write("wpNavFIX.txt", "; AIRAC 2613 synthetic data\r\n" + fixes_);
    Write("wpNavAID.txt", navaids_);
    Write("wpNavRTE.txt", airways_);
  }
  ~SyntheticFmcFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
  }
  SyntheticFmcFolder(const SyntheticFmcFolder&) = delete;
  SyntheticFmcFolder& operator=(const SyntheticFmcFolder&) = delete;

  const std::filesystem::path& Path() const { return folder_; }
  const std::string& RouteString() const { return route_string_; }
  // The airport list's lines of the route's two airports.
  const std::string& AirportLines() const { return airport_lines_; }

 private:
  struct Place {
    double latitude;
    double longitude;
  };
  struct Listed {
    std::string id;
    Place place;
  };

  std::string Letters(std::size_t count) {
    std::string letters(count, 'A');
    for (char& letter : letters)
      letter = static_cast<char>('A' + random_() % 26);
    return letters;
  }

  // Fix names are drawn from a pool smaller than the fixes, so that many
  // repeat, far apart, as real names do.
  const std::string& FixName() {
    if (fix_names_.empty()) {
      for (std::size_t name = 0; name < kFixes * 3 / 5; ++name)
        fix_names_.push_back(Letters(5));
    }
    return fix_names_[random_() % fix_names_.size()];
  }

  Place RandomPlace() {
    return {std::uniform_real_distribution<double>(-60, 70)(random_),
            std::uniform_real_distribution<double>(-180, 180)(random_)};
  }

  // The next point along an airway, kept on the globe.
  static Place Stepped(Place place, double latitude, double longitude) {
    place.latitude = std::clamp(place.latitude + latitude, -85.0, 85.0);
    place.longitude += longitude;
    if (place.longitude >= 180)
      place.longitude -= 360;
    if (place.longitude < -180)
      place.longitude += 360;
    return place;
  }

  Listed AddFix(Place place) {
    Listed fix{FixName(), place};
    fmt::format_to(std::back_inserter(fixes_), "{:<24}{:<5}{:>10.6f}{:>11.6f}\r\n", fix.id, fix.id,
                   place.latitude, place.longitude);
    ++fixes_written_;
    return fix;
  }

  Listed AddNavaid(Place place) {
    static constexpr std::array<const char*, 4> kTypes{"VORD", "VOR ", "DME ", "NDB "};
    const char* type = kTypes[random_() % kTypes.size()];
    const bool ndb = type[0] == 'N';
    const double frequency = ndb ? 190 + static_cast<double>(random_() % 1500) / 2
                                 : 108 + static_cast<double>(random_() % 200) / 20;
    Listed navaid{Letters(3), place};
    fmt::format_to(std::back_inserter(navaids_), "{:<24}{:<4} {}{:>10.6f}{:>11.6f}{:>6.2f}H\r\n",
                   "NAVAID " + navaid.id, navaid.id, type, place.latitude, place.longitude,
                   frequency);
    ++navaids_written_;
    return navaid;
  }

  // An airway point: every eighth one a navaid, the others fixes.
  Listed AddAirwayPoint(Place place) {
    return ++airway_points_ % 8 == 0 ? AddNavaid(place) : AddFix(place);
  }

  void ListAirway(const std::string& name, const std::vector<Listed>& points) {
    for (std::size_t at = 0; at < points.size(); ++at) {
      fmt::format_to(std::back_inserter(airways_), "{} {:03} {} {:.6f} {:.6f}\r\n", name, at + 1,
                     points[at].id, points[at].place.latitude, points[at].place.longitude);
    }
  }

  std::string AirwayName() {
    static constexpr std::string_view kLetters = "ABGHJLMNPQRTUVWY";
    std::string name(1, kLetters[random_() % kLetters.size()]);
    if (random_() % 2 == 0)
      name.insert(0, "U");
    return name + std::to_string(1 + random_() % 600);
  }

  std::string AirportLine(const std::string& icao, Place place) {
    return fmt::format("{:<24}{}           {}{:09.6f}{}{:010.6f}         {:5}\r\n", "SYNTHETIC",
                       icao, place.latitude < 0 ? 'S' : 'N', std::abs(place.latitude),
                       place.longitude < 0 ? 'W' : 'E', std::abs(place.longitude), 100);
  }

  // Random airways all over the world, and the chain of airways that the
  // route string follows: each one starts where the one before ends.
  void MakeAirways() {
    Place chain{45.0, -5.0};
    std::vector<Listed> chain_end;
    route_string_ = "KDEP N0450F350";
    airport_lines_ = AirportLine("KDEP", {44.9, -5.1});
    for (std::size_t airway = 0; airway < kAirways; ++airway) {
      const bool on_route = airway < kRouteAirways;
      Place place = on_route ? chain : RandomPlace();
      const double step_latitude =
          on_route ? 0.1 : std::uniform_real_distribution<double>(-0.4, 0.4)(random_);
      const double step_longitude =
          on_route ? 0.3 : std::uniform_real_distribution<double>(-0.4, 0.4)(random_);
      std::vector<Listed> points = chain_end;
      while (points.size() < kAirwayPoints) {
        points.push_back(AddAirwayPoint(place));
        place = Stepped(place, step_latitude, step_longitude);
      }
      const std::string name = AirwayName();
      ListAirway(name, points);
      if (!on_route)
        continue;
      if (airway == 0)
        route_string_ += " " + points[1].id;
      route_string_ += " " + name + " " + points.back().id;
      chain_end = {points.back()};
      chain = place;
      if (airway + 1 == kRouteAirways) {
        route_string_ += " KARR";
        airport_lines_ += AirportLine(
            "KARR", {points.back().place.latitude + 0.1, points.back().place.longitude + 0.1});
      }
    }
  }

  void Write(const char* name, const std::string& bytes) const {
    std::ofstream out(folder_ / name, std::ios::binary);
    out << bytes;
  }

  std::filesystem::path folder_;
  std::mt19937 random_{2613};
  std::vector<std::string> fix_names_;
  std::string fixes_;
  std::string navaids_;
  std::string airways_;
  std::string route_string_;
  std::string airport_lines_;
  std::size_t fixes_written_ = 0;
  std::size_t navaids_written_ = 0;
  std::size_t airway_points_ = 0;
};

}  // namespace korvanta::bench

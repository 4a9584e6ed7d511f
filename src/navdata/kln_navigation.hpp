#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "navdata/kln_navigation_points.hpp"
#include "route/tables.hpp"

namespace korvanta {

// The navigation files of the KLN 90B unit, in load order.
enum class KlnNavigationFile { kAirports, kNdbs, kVors, kIntersections };

inline constexpr std::array<std::string_view, 4> kTuNavFileNames = {"PTT_APT.DAT", "PTT_NDB.DAT",
                                                                    "PTT_VOR.DAT", "isec.txt"};
// Each navigation file holds the world's points of its kind: some megabytes.
inline constexpr std::size_t kNavigationFileLimit = std::size_t{64} << 20;

// Called with the count of points taken so far at 0, 100, 200 ...; the count
// runs on across the four files.
using KlnLoadProgress = std::function<void(std::size_t count)>;

// `plntu`: empties `navigation_points` and fills it from the four navigation files of
// `folder`, one row per point. A file that cannot be read, and a line with
// fewer fields than the load reads, end the load with RunError naming the
// file (and the line); the files are taken in load order, so the first fault
// in that order is the one reported.
void LoadKlnNavigation(const std::filesystem::path& folder, KlnNavigationPoints& navigation_points,
                       const KlnLoadProgress& progress = {});

// One navigation file's text, appended to `navigation_points`. `source` names the file in
// error messages; `counter` is the running count of points taken.
//  - ".DAT" files: only lines that begin with "Lon=" (no blank before it);
//    longitude, latitude and identifier are the bracketed values of fields
//    0, 1 and 3 (4 in the VOR file).
//  - "isec.txt": every line but ";" comments; identifier, latitude and
//    longitude are fields 0, 1 and 2 as they stand.
void LoadKlnNavigationText(KlnNavigationFile kind, std::string_view bytes, std::string_view source,
                           KlnNavigationPoints& navigation_points, std::size_t& counter,
                           const KlnLoadProgress& progress = {});

// The text before the first "."; empty when there is none.
std::string_view IntegerPart(std::string_view text);

// A point's key in `navigation_points`: the identifier, then the integer parts of the
// longitude and latitude texts (UUEE, 37.414667, 55.972642 give UUEE3755).
std::string KlnPointKey(std::string_view identifier, std::string_view lon, std::string_view lat);

// The value of a ".DAT" field such as Lon=[37.414667]: what follows the first
// "[" up to the "]", read from at most 16 characters; empty when there is no
// "[" or no "]" among those characters.
std::string_view BracketValue(std::string_view field);

}  // namespace korvanta

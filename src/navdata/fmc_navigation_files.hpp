#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include "io/file_name_case.hpp"
#include "navdata/navigation_data.hpp"
#include "navdata/navigation_files.hpp"

namespace korvanta {

// The FMC data folder's files that give the navigation index.
enum class FmcNavigationFile { kFixes, kNavaids, kAirways };

// Their names as the route finder's data writes them; installers write them
// in other spellings too ("WPNAVFIX.TXT").
inline constexpr std::string_view kFmcFixesName = "wpNavFIX.txt";
inline constexpr std::string_view kFmcNavaidsName = "wpNavAID.txt";
inline constexpr std::string_view kFmcAirwaysName = "wpNavRTE.txt";

// A whole world's fixes file is some ten megabytes; the limit leaves room for
// data sets that list more.
inline constexpr std::size_t kFmcNavigationFileLimit = std::size_t{64} << 20;

// Adds one file's points (and, for the airways file, its legs) to `data`,
// which is not finished; `source` names the file in the error. Lines that
// begin with ";" are comments: the first one that names the AIRAC cycle
// sets `data.cycle` and `data.cycle_comment` when they are empty. Blank
// lines are skipped.
//  - fixes: identifier in columns 24-28, latitude 29-38, longitude 39-49
//    (signed decimal degrees). A fix at the place of a navaid of its
//    identifier (the navaid listed again as a fix) is left out.
//  - navaids: identifier 24-27, type 29-32, latitude 33-42, longitude 43-53,
//    frequency 54-59 ("115.50", "391.00"). VOR, VORD and DME are VORs
//    (frequency in hundredths of a megahertz), NDB is an NDB (tenths of a
//    kilohertz); other types (ILS and the like) are not en-route points and
//    are skipped.
//  - airways: blank-separated airway name, sequence number, identifier,
//    latitude and longitude, one line per point in order. Consecutive lines
//    of one airway whose sequence numbers follow each other are joined by a
//    leg; a new name, or a number that does not follow (a listing that starts
//    again at 1 after a gap in the airway), starts a new run of legs.
// The error names the file, the line and what does not read: a line too
// short for its columns, no identifier, a coordinate that does not read or
// lies beyond 90 or 180 degrees.
std::optional<NavigationLoadError> ReadFmcNavigationText(FmcNavigationFile kind,
                                                         std::string_view bytes,
                                                         std::string_view source,
                                                         NavigationData& data);

}  // namespace korvanta

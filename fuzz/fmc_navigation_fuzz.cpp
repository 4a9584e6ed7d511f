// The FMC data folder's navaids, fixes and airways files over arbitrary text.
//
// Input: the three files' texts, in that order, separated by NUL bytes; they
// are read in that order into one index, as the folder's load does. A fault
// names its file and a line the file has. Whatever is read lies on the globe,
// has an identifier and is found again by it once the index is finished; no
// more airway legs are made than the airways file has lines.

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.hpp"
#include "navdata/fmc_navigation_files.hpp"
#include "route/position.hpp"

namespace {

using korvanta::fuzz::Require;

constexpr std::array<korvanta::FmcNavigationFile, 3> kOrder{korvanta::FmcNavigationFile::kNavaids,
                                                            korvanta::FmcNavigationFile::kFixes,
                                                            korvanta::FmcNavigationFile::kAirways};
constexpr std::array<std::string_view, 3> kNames{"AID", "FIX", "RTE"};

// Lines as the reader counts them: ended by CR LF, LF or a lone CR.
std::size_t LineCount(std::string_view text) {
  std::size_t lines = 0;
  for (std::size_t at = 0; at < text.size(); ++at) {
    if (text[at] == '\n' || (text[at] == '\r' && (at + 1 == text.size() || text[at + 1] != '\n')))
      ++lines;
  }
  return lines + (text.empty() || text.back() == '\n' || text.back() == '\r' ? 0 : 1);
}

// "Cannot read FIX, line N: ..." with N a line of that file.
void CheckFault(const std::string& message, std::string_view name, std::string_view text) {
  const std::string opening = "Cannot read " + std::string(name) + ", line ";
  Require(message.starts_with(opening), "a fault that does not name its file and line");
  const std::size_t number = std::stoul(message.substr(opening.size()));
  Require(number >= 1 && number <= LineCount(text), "a fault on a line the file does not have");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::vector<std::string_view> texts =
      korvanta::fuzz::SplitAtNul(korvanta::fuzz::AsText(data, size), kOrder.size());
  korvanta::NavigationData navigation;
  for (std::size_t file = 0; file < kOrder.size(); ++file) {
    const auto error =
        korvanta::ReadFmcNavigationText(kOrder[file], texts[file], kNames[file], navigation);
    if (error) {
      CheckFault(error->message, kNames[file], texts[file]);
      break;
    }
  }
  const std::size_t legs_before = navigation.AirwayLegCount();
  navigation.Finish();
  Require(navigation.AirwayLegCount() == legs_before, "finishing lost or made airway legs");
  Require(legs_before <= LineCount(texts[2]), "more airway legs than airway lines");

  for (korvanta::PointIndex index = 0; index < navigation.PointCount(); ++index) {
    const korvanta::NavigationPoint& point = navigation.Point(index);
    Require(!point.Id().empty(), "a point without an identifier");
    Require(std::abs(point.position.latitude) <= korvanta::kLatitudeLimit &&
                std::abs(point.position.longitude) <= korvanta::kLongitudeLimit,
            "a point off the globe");
    const std::vector<korvanta::PointIndex> named = navigation.Named(point.Id());
    Require(std::find(named.begin(), named.end(), index) != named.end(),
            "a point not found by its identifier");
    Require(navigation.Nearest(point.Id(), point.position).has_value(),
            "no nearest point of an identifier the index holds");
  }
  return 0;
}

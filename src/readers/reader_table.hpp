#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "readers/input_kind.hpp"
#include "readers/plan_route.hpp"
#include "route/airports.hpp"

namespace korvanta {

// One kind of input, as one row: `--from`, the detection by content and the
// help texts read it.
struct ReaderDescriptor {
  InputKind kind;
  std::string_view from_word{};   // korvanta-cli's --from value
  std::string_view name{};        // what the input is, in the --from help
  std::string_view short_name{};  // in the commands' descriptions: "X-Plane .fms"
  // Whether the bytes (without a byte-order mark and leading blanks) are of
  // this kind. Unset for the route finder's text: it is what no other row
  // takes.
  std::function<bool(std::string_view bytes)> detects{};
  // The route of a plan of this kind. Unset for the route finder's text,
  // which the route text source reads line by line in each of its readings.
  std::function<PlanReadResult(std::string_view bytes, const AirportDatabase& airports)> read{};
  // The departure runway the input names, for a kind whose route does not
  // read without the user's data (a route string needs the navigation
  // data); unset: the runway of the route read without an airport list.
  std::function<std::optional<std::string>(std::string_view bytes)> runway{};
};

// Every input kind read, the route finder's text first. (A plan of a kind
// that no reader takes has its own kind, outside this table: ReaderOf gives
// its refusal.)
std::span<const ReaderDescriptor> Readers();
const ReaderDescriptor& ReaderOf(InputKind kind);

// The kinds for --from's help: "text (a route finder's text), pln (...) or gpx (...)".
std::string FromWordsHelp();
// The plan kinds for the commands' descriptions: "FSX/MSFS .pln, X-Plane .fms, GPX".
std::string PlanKindsHelp();

}  // namespace korvanta

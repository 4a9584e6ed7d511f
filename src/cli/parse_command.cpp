#include "cli/parse_command.hpp"

#include <fmt/core.h>

#include <ios>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cli/cruise_option.hpp"
#include "cli/exit_codes.hpp"
#include "cli/folder_options.hpp"
#include "cli/input.hpp"
#include "cli/lookup_data.hpp"
#include "io/utf8_path.hpp"
#include "readers/reader_table.hpp"
#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "writers/coordinate_text.hpp"

namespace korvanta::cli {

namespace {

struct ParseArgs {
  int mode = 0;
  bool super80 = false;
  std::string airports;
  std::string file;
  std::string from;
  FolderArgs folders;
  std::filesystem::path executable;
  std::string cruise;  // empty: the route's own
};

// A row's position as the reading shows it: the source's own text in the
// text reading, decimal degrees with the hemisphere in the decimal reading
// (a coordinate that does not read shows its text in both).
struct ShownPosition {
  std::string lat;
  std::string lon;
};

ShownPosition Shown(const Waypoint& row, ParseMode mode) {
  if (mode == ParseMode::kText)
    return {row.lat, row.lon};
  return {row.lat_fault == CoordinateFault::kNone
              ? DecimalLatitudeWithHemisphere(row.position.latitude)
              : row.lat,
          row.lon_fault == CoordinateFault::kNone
              ? DecimalLongitudeWithHemisphere(row.position.longitude)
              : row.lon};
}

void PrintRoute(const RouteHeader& h, const WaypointTable& waypoints, ParseMode mode) {
  fmt::print("DepIcao={}\nDestIcao={}\nDepName={}\nDestName={}\n", h.departure_icao,
             h.destination_icao, h.departure_name, h.destination_name);
  // The header's airports are the table's first and last rows.
  const ShownPosition departure = Shown(waypoints[0], mode);
  const ShownPosition destination = Shown(waypoints[waypoints.Count() - 1], mode);
  fmt::print("DepLat={}\nDepLon={}\nDestLat={}\nDestLon={}\n", departure.lat, departure.lon,
             destination.lat, destination.lon);
  fmt::print("DepElev={}\nDestElev={}\nCruiseAlt={}\n\n", h.departure_elevation,
             h.destination_elevation, h.cruise_altitude);
  fmt::print("id\tlat\tlon\talt\troute\ttyp\tfreq\ttrack\n");
  for (const Waypoint& r : waypoints) {
    const ShownPosition position = Shown(r, mode);
    fmt::print("{}\t{}\t{}\t{}\t{}\t{}\t{}\t{}\n", r.id, position.lat, position.lon, r.alt, r.route,
               KindLetter(r.kind), r.freq, r.track);
  }
}

int RunParse(const ParseArgs& args) {
  const CliInput read = ReadInput(args.file, args.from);
  if (!read.input.source) {
    fmt::print(stderr, "{}\n", read.input.error);
    return read.exit_status;
  }
  // The list that --airports names is the one asked for: a missing one is
  // said. The folder set's list, missing, leaves the elevations at 0 quietly.
  const std::optional<std::filesystem::path> named_list =
      args.airports.empty() ? std::nullopt
                            : std::optional<std::filesystem::path>(PathFromUtf8(args.airports));
  const LookupData lookup(FoldersOf(args.folders, args.executable), named_list);
  if (named_list && !lookup.AirportListLoad().loaded)
    fmt::print(stderr, "{}\n", lookup.AirportListLoad().message);
  ParseOptions options;
  options.mode = args.mode == 1 ? ParseMode::kDecimal : ParseMode::kText;
  options.super80 = args.super80;
  int status = kExitOk;
  std::optional<RouteReading> route =
      ReadRoute(*read.input.source, options, lookup.Airports(), status);
  if (!route)
    return status;
  // The cruise altitude the user gives wins over the route's, as in a run.
  if (const std::optional<std::int32_t> cruise = ReadCruiseAltitude(args.cruise))
    route->header.cruise_altitude = *cruise;
  PrintRoute(route->header, route->waypoints, options.mode);
  for (const std::string& note : route->notes)
    fmt::print(stderr, "{}\n", note);
  return kExitOk;
}

}  // namespace

std::function<int()> AddParseCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<ParseArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "parse",
      "Read a route finder's text result or a flight plan (" + PlanKindsHelp() +
          ")\n"
          "and print the route header and the waypoint table.\n"
          "Prints eleven Name=value lines (DepIcao, DestIcao, DepName, DestName, DepLat, DepLon,\n"
          "DestLat, DestLon, DepElev, DestElev, CruiseAlt), an empty line, then a tab-separated\n"
          "table with the columns id, lat, lon, alt, route, typ, freq, track, in UTF-8.\n"
          "Exit status: 0 read; 3 the input gives no route; 2 usage error; 1 a file cannot be "
          "read.");
  cmd->add_option("--mode", args->mode,
                  "0: coordinates as the details list writes them (default); "
                  "1: decimal degrees with hemisphere, as the PMDG route uses them")
      ->check(CLI::IsMember({0, 1}));
  cmd->add_flag("--super80", args->super80,
                "Flight1 Super 80 naming: the airports' ICAO codes become DepName and DestName");
  cmd->add_option("--airports", args->airports,
                  "the airport database wpNavApt.txt, for the airport elevations (default: the "
                  "one in the FMC data folder, as convert uses; when it is missing, every "
                  "elevation is 0)");
  AddFolderOptions(*cmd, args->folders);
  AddCruiseOption(*cmd, args->cruise);
  AddFromOption(*cmd, args->from);
  cmd->add_option("FILE", args->file,
                  "the route text (UTF-8 or Windows-1252) or flight plan (see --from); standard "
                  "input when \"-\" or absent");
  return [cmd, args]() { return cmd->parsed() ? RunParse(*args) : -1; };
}

}  // namespace korvanta::cli

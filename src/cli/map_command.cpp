#include "cli/map_command.hpp"

#include <fmt/core.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "cli/exit_codes.hpp"
#include "cli/folder_options.hpp"
#include "cli/input.hpp"
#include "cli/lookup_data.hpp"
#include "errors/run_error.hpp"
#include "files/file_output.hpp"
#include "io/utf8_path.hpp"
#include "map/map_builder.hpp"
#include "map/map_svg.hpp"
#include "readers/reader_table.hpp"
#include "readers/route_text_parser.hpp"
#include "route/airports.hpp"
#include "run/route_check.hpp"

namespace korvanta::cli {

namespace {

struct MapArgs {
  std::string file;
  std::string from;
  std::string output;
  MapSize size;
  FolderArgs folders;
  std::filesystem::path executable;
};

// The route to draw, or the exit status of an input that gives none (its
// reason printed as `parse` and `convert` print it).
std::optional<RouteReading> ReadMapRoute(const MapArgs& args, int& exit_status) {
  const CliInput read = ReadInput(args.file, args.from);
  if (!read.input.source) {
    fmt::print(stderr, "{}\n", read.input.error);
    exit_status = read.exit_status;
    return std::nullopt;
  }
  // A route string needs the navigation data, as for convert.
  const LookupData lookup(FoldersOf(args.folders, args.executable));
  std::optional<RouteReading> route =
      ReadRoute(*read.input.source, ParseOptions{}, lookup.Airports(), exit_status);
  if (!route)
    return std::nullopt;
  // A point without a position cannot be drawn: refused as convert refuses it.
  if (const std::optional<std::string> fault = RouteFault(route->waypoints)) {
    fmt::print(stderr, "{}\n", *fault);
    exit_status = kExitParseFailed;
    return std::nullopt;
  }
  for (const std::string& note : route->notes)
    fmt::print(stderr, "{}\n", note);
  return route;
}

int RunMap(const MapArgs& args) {
  if (2 * args.size.margin >= args.size.width || 2 * args.size.margin >= args.size.height) {
    fmt::print(stderr, "--margin: the margins leave no room for the map\n");
    return kExitUsage;
  }
  int exit_status = kExitOk;
  const std::optional<RouteReading> route = ReadMapRoute(args, exit_status);
  if (!route)
    return exit_status;
  const std::string svg = MapSvg(BuildMapPicture(route->waypoints, args.size, BuiltInMapLand()));
  if (args.output == "-") {
    std::fwrite(svg.data(), 1, svg.size(), stdout);
    return std::fflush(stdout) == 0 ? kExitOk : kExitIoError;
  }
  try {
    WriteWholeFile(PathFromUtf8(args.output), svg);
  } catch (const RunError& error) {
    fmt::print(stderr, "{}\n", error.what());
    return kExitIoError;
  }
  return kExitOk;
}

}  // namespace

std::function<int()> AddMapCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<MapArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "map",
      "Read a route finder's text result or a flight plan (" + PlanKindsHelp() +
          ")\n"
          "and write its map as an SVG picture: the land, a graticule, the legs as great-circle\n"
          "arcs, every point marked and labelled where there is room.\n"
          "Exit status: 0 written; 3 the input gives no route; 2 usage error; 1 a file cannot be "
          "read or written.");
  cmd->add_option("-o,--output", args->output, "the SVG file to write; standard output when \"-\"")
      ->required();
  cmd->add_option("--width", args->size.width, "the picture's width in pixels")
      ->check(CLI::Range(16, 20000))
      ->capture_default_str();
  cmd->add_option("--height", args->size.height, "the picture's height in pixels")
      ->check(CLI::Range(16, 20000))
      ->capture_default_str();
  cmd->add_option("--margin", args->size.margin,
                  "the room in pixels kept free round the route on every side")
      ->check(CLI::Range(0, 10000))
      ->capture_default_str();
  AddFolderOptions(*cmd, args->folders);
  AddFromOption(*cmd, args->from);
  cmd->add_option("FILE", args->file,
                  "the route text (UTF-8 or Windows-1252) or flight plan (see --from); standard "
                  "input when \"-\" or absent");
  return [cmd, args]() { return cmd->parsed() ? RunMap(*args) : -1; };
}

}  // namespace korvanta::cli

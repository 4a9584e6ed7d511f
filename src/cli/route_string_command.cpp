#include "cli/route_string_command.hpp"

#include <fmt/core.h>

#include <memory>
#include <optional>
#include <string>

#include "cli/exit_codes.hpp"
#include "cli/folder_options.hpp"
#include "cli/input.hpp"
#include "cli/lookup_data.hpp"
#include "readers/reader_table.hpp"
#include "route/route_string.hpp"

namespace korvanta::cli {

namespace {

struct RouteStringArgs {
  FolderArgs folders;
  std::string file;
  std::string from;
  std::filesystem::path executable;
};

int RunRouteString(const RouteStringArgs& args) {
  const CliInput read = ReadInput(args.file, args.from);
  if (!read.input.source) {
    fmt::print(stderr, "{}\n", read.input.error);
    return read.exit_status;
  }
  const LookupData lookup(FoldersOf(args.folders, args.executable));
  int status = kExitOk;
  const std::optional<RouteReading> route =
      ReadRoute(*read.input.source, ParseOptions{}, lookup.Airports(), status);
  if (!route)
    return status;
  fmt::print("{}\n", RouteString(route->waypoints));
  for (const std::string& note : route->notes)
    fmt::print(stderr, "{}\n", note);
  return kExitOk;
}

}  // namespace

std::function<int()> AddRouteStringCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<RouteStringArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "route-string",
      "Print the route as a pilot files it, on one line: the departure, each airway with\n"
      "the point where the route leaves it, DCT between points that no airway joins, the\n"
      "destination (\"EGLL BPK Q295 BRAIN L620 CLN DCT LIFFY KJFK\"). The departure and\n"
      "arrival procedures are not named; a North Atlantic track's points are written one by\n"
      "one; a point named from its position is written as its latitude and longitude in whole\n"
      "minutes (4630N12236W). Reads any input that convert reads (" +
          PlanKindsHelp() +
          ").\n"
          "Exit status: 0 printed; 3 the input gives no route; 2 usage error; 1 a file cannot be "
          "read.");
  AddFolderOptions(*cmd, args->folders);
  AddFromOption(*cmd, args->from);
  cmd->add_option("FILE", args->file,
                  "the route text (UTF-8 or Windows-1252) or flight plan (see --from); standard "
                  "input when \"-\" or absent");
  return [cmd, args]() { return cmd->parsed() ? RunRouteString(*args) : -1; };
}

}  // namespace korvanta::cli

#include "cli/navdata_command.hpp"

#include <fmt/core.h>

#include <memory>
#include <optional>

#include "cli/exit_codes.hpp"
#include "cli/folder_options.hpp"
#include "cli/lookup_data.hpp"
#include "io/utf8_path.hpp"
#include "navdata/navigation_files.hpp"

namespace korvanta::cli {

namespace {

struct NavdataArgs {
  FolderArgs folders;
  std::filesystem::path executable;
};

// Where the run's airports come from: the airport list, else X-Plane's
// airport file.
void PrintAirports(const FolderSet& folders, const LookupData& lookup) {
  const AirportLoadResult& load = lookup.AirportListLoad();
  fmt::print("Airport list: {} ({})\n", ShownPath(lookup.AirportListFile()),
             load.loaded ? "found" : load.message);
  if (load.loaded || !folders.xplane_install.Set())
    return;
  if (const std::optional<std::filesystem::path> airport_file =
          XPlaneAirportFile(folders.xplane_install.folder))
    fmt::print("X-Plane airports: {}\n", ShownPath(*airport_file));
}

void PrintNavigation(const NavigationData& data) {
  fmt::print("Navigation data: {}\n", data.description);
  fmt::print("AIRAC cycle: {}\n", data.cycle.empty() ? "not given" : data.cycle);
  fmt::print("Fixes: {}\nVORs: {}\nNDBs: {}\nAirways: {}\nAirway legs: {}\n",
             data.CountOf(WaypointKind::kIntersection), data.CountOf(WaypointKind::kVor),
             data.CountOf(WaypointKind::kNdb), data.AirwayCount(), data.AirwayLegCount());
}

int RunNavdata(const NavdataArgs& args) {
  const FolderSet folders = FoldersOf(args.folders, args.executable);
  const LookupData lookup(folders);
  PrintAirports(folders, lookup);
  if (const NavigationData* data = lookup.Navigation().Data()) {
    PrintNavigation(*data);
    return kExitOk;
  }
  fmt::print("Navigation data: none\n");
  fmt::print(stderr, "{}\n", lookup.Navigation().Problem());
  return kExitIoError;
}

}  // namespace

std::function<int()> AddNavdataCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<NavdataArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "navdata",
      "Print the navigation data that route strings and plans without positions are read\n"
      "against: the airport list (and X-Plane's airport file when the list is missing), then\n"
      "the fixes, navaids and airways of the FMC data folder when it holds wpNavFIX.txt, else\n"
      "of the X-Plane installation: where they were read, the AIRAC cycle, and how many\n"
      "fixes, VORs, NDBs, airways and airway legs they hold.\n"
      "Exit status: 0 the navigation data reads; 1 there is none, or it does not read (standard\n"
      "error says where it was looked for, or what is wrong); 2 usage error.");
  AddFolderOptions(*cmd, args->folders);
  return [cmd, args]() { return cmd->parsed() ? RunNavdata(*args) : -1; };
}

}  // namespace korvanta::cli

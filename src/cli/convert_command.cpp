#include "cli/convert_command.hpp"

#include <fmt/core.h>

#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_front_end.hpp"
#include "cli/exit_codes.hpp"
#include "cli/input.hpp"
#include "io/utf8_path.hpp"
#include "run/conversion_run.hpp"
#include "run/targets.hpp"
#include "settings/folder_overrides.hpp"
#include "settings/folder_set.hpp"
#include "settings/folder_source.hpp"
#include "writers/airac_cycle.hpp"

namespace korvanta::cli {

namespace {

struct ConvertArgs {
  std::string targets = "all";
  std::string sim;  // empty: fsx when the fsx target is chosen, else fs9
  std::string runway;
  std::string cycle;
  bool super80 = false;
  int plan_number = 1;
  std::string app_dir;
  std::string fs9_dir;
  std::string fsx_dir;
  std::string documents_dir;
  bool open = false;
  std::string file;
  std::string from;
  std::filesystem::path executable;
};

// The folders the command line names, as given.
FolderOverrides Overrides(const ConvertArgs& args) {
  FolderOverrides overrides;
  const auto named = [](const std::string& text) {
    return text.empty() ? std::nullopt : std::optional(PathFromUtf8(text));
  };
  overrides.app_dir = named(args.app_dir);
  overrides.fs9_dir = named(args.fs9_dir);
  overrides.fsx_dir = named(args.fsx_dir);
  overrides.documents_dir = named(args.documents_dir);
  return overrides;
}

// "fsx" names the FS2004 box while FSX is selected: the FSX plan.
constexpr std::string_view kFsxPlanName = "fsx";

// The simulator of --sim; without it, FSX when the FSX plan is asked for.
std::string SimulatorName(const ConvertArgs& args) {
  if (!args.sim.empty())
    return args.sim;
  std::stringstream items(args.targets);
  std::string item;
  while (std::getline(items, item, ',')) {
    if (item == kFsxPlanName)
      return std::string(kFsxPlanName);
  }
  return "fs9";
}

// The targets of --targets, or a usage message.
std::optional<std::set<Target>> ChosenTargets(const std::string& list, Simulator sim,
                                              std::string& error) {
  std::set<Target> chosen;
  std::stringstream items(list);
  std::string item;
  while (std::getline(items, item, ',')) {
    if (item.empty())
      continue;
    if (item == "all") {
      for (const TargetDescriptor& descriptor : Targets()) {
        if (TargetAllowed(sim, descriptor.target))
          chosen.insert(descriptor.target);
      }
      continue;
    }
    if (item == kFsxPlanName) {
      if (sim != Simulator::kFsx) {
        error = "target fsx needs --sim fsx";
        return std::nullopt;
      }
      chosen.insert(Target::kFs2004);
      continue;
    }
    const auto target = TargetByCliName(item);
    if (!target) {
      error = "unknown target: " + item;
      return std::nullopt;
    }
    if (!TargetAllowed(sim, *target)) {
      error = "target " + item + " is not available with --sim " +
              std::string(kSimulators[static_cast<std::size_t>(sim)].cli_name);
      return std::nullopt;
    }
    chosen.insert(*target);
  }
  if (chosen.empty()) {
    error = "no target chosen";
    return std::nullopt;
  }
  return chosen;
}

int RunConvert(const ConvertArgs& args) {
  const std::string sim_name = SimulatorName(args);
  const auto sim = SimulatorByCliName(sim_name);
  if (!sim) {
    fmt::print(stderr, "--sim: unknown simulator {}\n", sim_name);
    return kExitUsage;
  }
  std::string error;
  const auto targets = ChosenTargets(args.targets, *sim, error);
  if (!targets) {
    fmt::print(stderr, "--targets: {}\n", error);
    return kExitUsage;
  }
  if (args.super80 && !(Super80Allowed(*sim) && targets->count(Target::kFs2004))) {
    fmt::print(stderr, "--super80 needs --sim fs9 and the fs2004 target\n");
    return kExitUsage;
  }

  CliInput read = ReadInput(args.file, args.from);
  if (!read.input.source) {
    fmt::print(stderr, "{}\n", read.input.error);
    return read.exit_status;
  }

  const FolderOverrides overrides = Overrides(args);
  const std::filesystem::path app_dir = ProgramFolder(overrides, args.executable);
  const OverriddenFolderSource source(PlatformFolderSource(), overrides);
  const FolderSet folders = BuildFolderSet(app_dir, source);

  AirportDatabase airports;
  const AirportLoadResult loaded =
      LoadAirportDatabase(AirportDatabasePath(folders.fs9_dir), airports);
  if (!loaded.loaded)
    fmt::print(stderr, "{}\n", loaded.message);

  RunChoices choices;
  choices.ticked = *targets;
  choices.super80 = args.super80;
  choices.runway = args.runway;
  choices.plan_number = args.plan_number;
  choices.simulator = *sim;
  choices.cycle = args.cycle;

  CliFrontEnd front(args.open);
  ConversionRun run(folders, airports, front);
  const RunOutcome outcome = run.Run(*read.input.source, choices);
  if (outcome.end == RunEnd::kRouteRefused)
    return kExitParseFailed;
  if (outcome.end != RunEnd::kCompleted)
    return kExitIoError;
  if (!outcome.parse_failed)
    return kExitOk;
  if (outcome.last_failure == ParseResult::kNoDetails)
    fmt::print(stderr, "{}\n", kNoDetailsReason);
  return kExitParseFailed;
}

std::vector<std::string> SimulatorNames() {
  std::vector<std::string> names;
  for (const SimulatorInfo& info : kSimulators)
    names.emplace_back(info.cli_name);
  return names;
}

std::string TargetNames() {
  std::string names;
  for (const TargetDescriptor& descriptor : Targets()) {
    if (!names.empty())
      names += ", ";
    names += descriptor.cli_name;
  }
  return names;
}

}  // namespace

std::function<int()> AddConvertCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<ConvertArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "convert",
      "Convert a route finder's text result, or a flight plan (FSX/MSFS .pln, X-Plane .fms,\n"
      "GPX), into plan files, each written into the folder\n"
      "where its simulator or add-on looks for plans. Prints one \"File ... created\" line\n"
      "per file written, in run order; messages go to standard error.\n"
      "A target that cannot be written is reported on standard error and the others are\n"
      "still written; the run ends with a \"Not written:\" list of those targets.\n"
      "Exit status: 0 done; 3 the input gives no route (\"Wrong format\", no details\n"
      "list, a plan that does not read, an input too large, a coordinate that does not read\n"
      "or is out of range, standard input that fails or is empty): nothing written;\n"
      "1 a target could not be written; 2 usage error.");
  cmd->add_option("--targets", args->targets,
                  "comma-separated from: " + TargetNames() +
                      ", fsx (the FSX plan: selects --sim fsx when --sim is not given); or \"all\" "
                      "for every target that the selection allows (default all)");
  cmd->add_option("--sim", args->sim,
                  "the simulator selection: fs9 (default), fsx or xplane; a target that the "
                  "selection disables is refused; with fsx, \"fs2004\" means the FSX plan")
      ->check(CLI::IsMember(SimulatorNames()));
  cmd->add_option("--runway", args->runway, "the departing runway")
      ->check([](const std::string& runway) {
        // The runway is written into one line of the FS2004 and PMDG plans; a
        // line end in it would split that line and break the plan.
        return runway.find_first_of("\r\n") == std::string::npos
                   ? std::string()
                   : std::string("the runway must be one line of text");
      });
  cmd->add_option("--cycle", args->cycle,
                  "the AIRAC cycle YYCC of the xplane11 plan (default: the cycle in force today)")
      ->check(CLI::Validator(
          [](const std::string& text) {
            return IsAiracCycle(text) ? std::string() : "not an AIRAC cycle YYCC: " + text;
          },
          "YYCC"));
  cmd->add_flag("--super80", args->super80,
                "Flight1 Super 80 naming of the FS2004 plan (fs9 with fs2004 only)");
  cmd->add_option("--plan-number", args->plan_number,
                  "the plan number of the Super 80 and Tu-154 plans (default 1; the Tu-154 store "
                  "holds 1 to 25)")
      ->check(CLI::Validator(
          [](const std::string& text) {
            // Decimal digits only: "0x10" or "1e2" is no plan number.
            return !text.empty() && text.find_first_not_of("0123456789") == std::string::npos
                       ? std::string()
                       : "not a plan number: " + text;
          },
          "NUMBER"))
      ->check(CLI::Range(1, 99999));
  cmd->add_option("--app-dir", args->app_dir,
                  "the program folder (settings file korvanta.ini, temp.tmp, route.txt); "
                  "default: the executable's folder when writable, else the per-user data folder "
                  "(~/.local/share/korvanta, %LOCALAPPDATA%\\Korvanta)");
  cmd->add_option("--fs9-dir", args->fs9_dir,
                  "the FS2004 folder (default: from the registry; on Linux from the Wine prefix, "
                  "$WINEPREFIX or ~/.wine)");
  cmd->add_option("--fsx-dir", args->fsx_dir, "the FSX folder (default: as the FS2004 folder)");
  cmd->add_option("--documents-dir", args->documents_dir,
                  "the documents folder (default: the user's documents; on Linux from the Wine "
                  "prefix, else the XDG documents folder, else ~/Documents)");
  cmd->add_flag("--open", args->open, "open the KML file in the desktop's viewer after writing it");
  AddFromOption(*cmd, args->from);
  cmd->add_option("FILE", args->file,
                  "the route text (UTF-8 or Windows-1252) or flight plan (see --from); standard "
                  "input when \"-\" or absent");
  return [cmd, args]() { return cmd->parsed() ? RunConvert(*args) : -1; };
}

}  // namespace korvanta::cli

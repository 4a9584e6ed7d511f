#include "cli/convert_command.hpp"

#include <fmt/core.h>
#include <fmt/format.h>

#include <map>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_front_end.hpp"
#include "cli/cruise_option.hpp"
#include "cli/exit_codes.hpp"
#include "cli/folder_options.hpp"
#include "cli/input.hpp"
#include "cli/lookup_data.hpp"
#include "io/utf8_path.hpp"
#include "readers/reader_table.hpp"
#include "run/conversion_run.hpp"
#include "run/target_options.hpp"
#include "run/targets.hpp"
#include "settings/folder_set.hpp"

namespace korvanta::cli {

namespace {

struct ConvertArgs {
  std::string targets;  // empty: every installed target that the selection allows
  std::string sim;      // empty: fsx when the fsx target is chosen, else fs9
  std::map<std::string, std::string, std::less<>> options;  // the target options' texts, by name
  FolderArgs folders;
  bool open = false;
  std::string file;
  std::string from;
  std::string cruise;  // empty: the route's own
  std::filesystem::path executable;
};

// The simulator of --sim; without it, the one that a named target selects
// (the FSX plan selects FSX), else FS2004.
std::string SimulatorName(const ConvertArgs& args) {
  if (!args.sim.empty())
    return args.sim;
  std::stringstream items(args.targets);
  std::string item;
  while (std::getline(items, item, ',')) {
    const std::optional<Target> target = TargetByCliName(item);
    if (target && DescriptorOf(*target).selects_simulator) {
      return std::string(
          kSimulators[static_cast<std::size_t>(*DescriptorOf(*target).selects_simulator)].cli_name);
    }
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
    const auto target = TargetByCliName(item);
    if (!target) {
      error = "unknown target: " + item;
      return std::nullopt;
    }
    const std::optional<Simulator> selects = DescriptorOf(*target).selects_simulator;
    if (selects && sim != *selects) {
      error = "target " + item + " needs --sim " +
              std::string(kSimulators[static_cast<std::size_t>(*selects)].cli_name);
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
  const bool installed_only = args.targets.empty();
  const auto targets = ChosenTargets(installed_only ? "all" : args.targets, *sim, error);
  if (!targets) {
    fmt::print(stderr, "--targets: {}\n", error);
    return kExitUsage;
  }
  if (args.options.at("super80") == "1" &&
      !(Super80Allowed(*sim) && targets->count(Target::kFs2004))) {
    fmt::print(stderr, "--super80 needs --sim fs9 and the fs2004 target\n");
    return kExitUsage;
  }

  CliInput read = ReadInput(args.file, args.from);
  if (!read.input.source) {
    fmt::print(stderr, "{}\n", read.input.error);
    return read.exit_status;
  }

  const FolderSet folders = FoldersOf(args.folders, args.executable);

  const LookupData lookup(folders);
  if (!lookup.AirportListLoad().loaded)
    fmt::print(stderr, "{}\n", lookup.AirportListLoad().message);

  RunChoices choices;
  choices.ticked = *targets;
  choices.simulator = *sim;
  choices.installed_only = installed_only;
  choices.cruise_altitude = ReadCruiseAltitude(args.cruise);
  for (const auto& [name, text] : args.options)
    SetOption(choices, name, text);

  CliFrontEnd front(args.open);
  ConversionRun run(folders, lookup.Airports(), front);
  const RunOutcome outcome = run.Run(*read.input.source, choices);
  if (!outcome.not_installed.empty())
    fmt::print(stderr, "Not installed: {}\n", fmt::join(outcome.not_installed, ", "));
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

// The targets' names for the help; a target that selects a simulator says so.
std::string TargetNames() {
  std::string names;
  for (const TargetDescriptor& descriptor : AllTargets()) {
    if (!names.empty())
      names += ", ";
    names += descriptor.cli_name;
    if (descriptor.selects_simulator) {
      names += fmt::format(
          " ({}: selects --sim {} when --sim is not given)", descriptor.cli_help,
          kSimulators[static_cast<std::size_t>(*descriptor.selects_simulator)].cli_name);
    }
  }
  return names;
}

// The flags of the target options, with their checks, from the option table.
void AddTargetOptions(CLI::App& command, std::map<std::string, std::string, std::less<>>& texts) {
  for (const OptionDescriptor& option : TargetOptions()) {
    std::string& text = texts[std::string(option.name)];
    text = option.default_text;
    const std::string flag = "--" + std::string(option.name);
    if (option.kind == OptionKind::kSwitch) {
      command.add_flag_callback(
          flag, [&text] { text = "1"; }, std::string(option.help));
      continue;
    }
    CLI::Option* added = command.add_option(flag, text, std::string(option.help));
    if (option.refusal)
      added->check(CLI::Validator(option.refusal, std::string(option.value_name)));
    if (option.kind == OptionKind::kNumber)
      added->type_name("INT")->check(CLI::Range(option.minimum, option.maximum));
  }
}

}  // namespace

std::function<int()> AddConvertCommand(CLI::App& app, const std::filesystem::path& executable) {
  auto args = std::make_shared<ConvertArgs>();
  args->executable = executable;
  CLI::App* cmd = app.add_subcommand(
      "convert",
      "Convert a route finder's text result, or a flight plan (" + PlanKindsHelp() +
          "),\ninto plan files, each written into the folder\n"
          "where its simulator or add-on looks for plans. Prints one \"File ... created\" line\n"
          "per file written, in run order; messages go to standard error.\n"
          "Without --targets, every target whose folder exists is written, and those whose\n"
          "folder was not found are named on one \"Not installed:\" line; a folder named by an\n"
          "option or a setting that does not exist fails what needs it.\n"
          "A target that cannot be written is reported on standard error as it fails and the\n"
          "others are still written; the run ends with \"Not written:\" and those targets.\n"
          "Exit status: 0 done; 3 the input gives no route (\"Wrong format\", no details\n"
          "list, a plan that does not read, an input too large, a coordinate that does not read\n"
          "or is out of range, standard input that fails or is empty): nothing written;\n"
          "1 a target could not be written; 2 usage error.");
  cmd->add_option("--targets", args->targets,
                  "comma-separated from: " + TargetNames() +
                      "; or \"all\" for every target that the selection allows, where a "
                      "missing folder fails its target (default: every installed target that the "
                      "selection allows)");
  cmd->add_option("--sim", args->sim,
                  "the simulator selection: fs9 (default), fsx or xplane; a target that the "
                  "selection disables is refused; with fsx, \"fs2004\" means the FSX plan")
      ->check(CLI::IsMember(SimulatorNames()));
  AddTargetOptions(*cmd, args->options);
  AddCruiseOption(*cmd, args->cruise);
  AddFolderOptions(*cmd, args->folders);
  cmd->add_flag("--open", args->open, "open the KML file in the desktop's viewer after writing it");
  AddFromOption(*cmd, args->from);
  cmd->add_option("FILE", args->file,
                  "the route text (UTF-8 or Windows-1252) or flight plan (see --from); standard "
                  "input when \"-\" or absent");
  return [cmd, args]() { return cmd->parsed() ? RunConvert(*args) : -1; };
}

}  // namespace korvanta::cli

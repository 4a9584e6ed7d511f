#include "run/targets.hpp"

#include <fmt/format.h>

#include <algorithm>
#include <vector>

#include "errors/run_error.hpp"
#include "run/input_source.hpp"
#include "run/run_choices.hpp"
#include "text/cp1252.hpp"
#include "text/text.hpp"
#include "writers/airac_cycle.hpp"
#include "writers/civa.hpp"
#include "writers/fs2004.hpp"
#include "writers/fsnavigator.hpp"
#include "writers/fsx.hpp"
#include "writers/gpx.hpp"
#include "writers/ifly.hpp"
#include "writers/kml.hpp"
#include "writers/leveld.hpp"
#include "writers/maddog.hpp"
#include "writers/msfs.hpp"
#include "writers/pmdg.hpp"
#include "writers/six_character_id.hpp"
#include "writers/tu154.hpp"
#include "writers/tu154_store.hpp"
#include "writers/xplane.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {

namespace {

constexpr SelectionEffect kEnable{BoxRule::kEnable};
constexpr SelectionEffect kOff{BoxRule::kOff};
constexpr SelectionEffect kKeep{BoxRule::kKeep};

// The X-Plane 11/12 and GPX files serve every simulator: those boxes are
// enabled and keep their ticks under each selection.
constexpr SelectionEffects kEverySimulator = {kEnable, kEnable, kEnable};
// The boxes of the FS2004 add-ons.
constexpr SelectionEffects kFs9Only = {kEnable, kOff, kOff};

// ASCII letters only, whatever the user's locale: the name keeps every other
// letter as it is.
std::string Lower(std::string text) {
  for (char& letter : text)
    letter = AsciiLower(letter);
  return text;
}

// The files that the FS2004 plan, the FSX plan and the Google Earth file all
// start with: the FS2004 plan text (in "temp.tmp", or under the Flight1 Super
// 80 name), then the ISG route when its folder exists. The FS2004 or FSX row
// makes them; the Google Earth row only when neither runs.
TargetFiles PlanTextFiles(const WriterInput& input, const Fs2004Plan& plan) {
  const RouteHeader& header = input.header;
  TargetFiles files;
  TargetFile& text = files.emplace_back(TargetFile{.bytes = Utf8ToCp1252(plan.plan_text),
                                                   .folder = FileFolder::kProgram,
                                                   .status = StatusRule::kNone});
  text.name = RouteFileName{"temp", ".tmp"};
  if (input.choices.super80) {
    text.name = RouteFileName{Lower(header.departure_name) + "-" + Lower(header.destination_name),
                              fmt::format("-{}.pln", input.choices.plan_number)};
    text.folder = FileFolder::kPlanFolder;
    text.status = StatusRule::kFullPath;
  }
  files.push_back({.name = RouteFileName{"default", ".rte"},
                   .bytes = plan.isg_route,
                   .folder = FileFolder::kSimulator,
                   .below = "isg/FlightPlans",
                   .only_into_existing_folder = true});
  return files;
}

constexpr std::string_view kFs2004PlanText = "FS2004 plan text";

// The FS2004 plan of the route; its text is kept for the rows after this one.
Fs2004Plan MakeFs2004Plan(const WriterInput& input) {
  Fs2004Plan plan = WriteFs2004Plan(input.header, input.waypoints, input.choices.runway);
  if (input.run_texts)
    input.run_texts->insert_or_assign(std::string(kFs2004PlanText), plan.plan_text);
  return plan;
}

// The FS2004 plan text that an earlier row of this run made; null when none did.
const std::string* MadeFs2004PlanText(const WriterInput& input) {
  if (!input.run_texts)
    return nullptr;
  const auto made = input.run_texts->find(kFs2004PlanText);
  return made == input.run_texts->end() ? nullptr : &made->second;
}

// The name of the FS2004 and FSX plans in the simulator's plan folder.
RouteFileName PlanName(const RouteHeader& header) {
  return {"IFR " + header.departure_name + " to " + header.destination_name, ".pln"};
}

// The FS2004 plan: the plan text files, then the ".pln" copy in the plan
// folder, made from this run's plan text whichever file holds it.
TargetFiles Fs2004Files(const WriterInput& input) {
  const Fs2004Plan plan = MakeFs2004Plan(input);
  TargetFiles files = PlanTextFiles(input, plan);
  files.push_back({.name = PlanName(input.header),
                   .bytes = files.front().bytes,
                   .folder = FileFolder::kPlanFolder,
                   .create_folder = true});
  return files;
}

// The FSX plan, made from the FS2004 plan text, into FSX's plan folder,
// which must be there.
TargetFiles FsxFiles(const WriterInput& input) {
  const Fs2004Plan plan = MakeFs2004Plan(input);
  TargetFiles files = PlanTextFiles(input, plan);
  files.push_back({.name = PlanName(input.header),
                   .bytes = WriteFsxPlan(plan.plan_text),
                   .folder = FileFolder::kPlanFolder,
                   .needs_fsx_plan_folder = true});
  return files;
}

// The Google Earth file is made from the FS2004 plan text: the one the FS2004
// or FSX row of this run made, else its own, which it then writes too;
// Google Earth opens a file of any name.
TargetFiles GoogleEarthFiles(const WriterInput& input) {
  const RouteHeader& header = input.header;
  TargetFiles files;
  std::string plan_text;
  if (const std::string* made = MadeFs2004PlanText(input)) {
    plan_text = *made;
  } else {
    const Fs2004Plan plan = MakeFs2004Plan(input);
    if (!input.choices.Writes(Target::kFs2004) && !input.choices.Writes(Target::kFsx))
      files = PlanTextFiles(input, plan);
    plan_text = plan.plan_text;
  }
  files.push_back(
      {.name = RouteFileName{header.departure_name + "-" + header.destination_name, ".kml"},
       .bytes = WriteGoogleEarthKml(plan_text, header.departure_name, header.destination_name),
       .folder = FileFolder::kDocuments,
       .characters = NameCharacters::kUnicode,
       .opened = true});
  return files;
}

// A card's name with its card number and extension as the kept end: the
// digits before the last "." and what follows.
RouteFileName CardFileName(std::string_view name) {
  std::size_t end = std::min(name.rfind('.'), name.size());
  while (end > 0 && name[end - 1] >= '0' && name[end - 1] <= '9')
    --end;
  return {std::string(name.substr(0, end)), std::string(name.substr(end))};
}

// The most cards that a route of the longest accepted text makes.
constexpr int kMostCivaCards = static_cast<int>(kDetailsLinesLimit) / kCivaCardWaypoints + 1;

// The INS cards, one file per card, always under their automatic names; the
// status names the last card. The INS loads every card of the pair, so the
// higher-numbered cards of an earlier, longer route of the same pair go once
// the new ones are written, up to the first number that is not there; each
// removed card is named.
TargetFiles CivaFiles(const WriterInput& input) {
  TargetFiles files;
  for (CivaCard& card : WriteCivaCards(input.header, input.waypoints)) {
    files.push_back({.name = CardFileName(card.file_name),
                     .bytes = std::move(card.text),
                     .status = StatusRule::kNone});
  }
  files.back().status = StatusRule::kBareName;
  const RouteFileName last = *files.back().name;
  for (int number = static_cast<int>(files.size()) + 1; number <= kMostCivaCards; ++number) {
    files.push_back({.name = RouteFileName{last.text, fmt::format("{:02}.AWC", number)},
                     .write = FileWrite::kRemoved,
                     .status = StatusRule::kBareName});
  }
  return files;
}

constexpr std::string_view kTu154PlanFile = "FPLS.TXT";
constexpr std::string_view kTu154StoreFile = "FPLS.DAT";

// The plan filed into the KLN 90B unit's store "FPLS.DAT", then the same
// plan as "FPLS.TXT". The text file comes second: it must never name a plan
// that the store, locked by another run or not writable, did not take.
TargetFiles Tu154Files(const WriterInput& input) {
  const int plan_number = input.choices.plan_number;
  std::string plan = WriteTu154Plan(input.waypoints, *input.navigation_points, plan_number);
  TargetFiles files;
  files.push_back(
      {.name = RouteFileName{"FPLS", ".DAT"},
       .bytes = plan,
       .write = FileWrite::kMergedIntoStore,
       .merge = MergePlanStore,
       .status_text = fmt::format("File {} plan {} created", kTu154StoreFile, plan_number)});
  files.push_back({.name = RouteFileName{"FPLS", ".TXT"},
                   .bytes = std::move(plan),
                   .status = StatusRule::kNone});
  return files;
}

// One row per target, in the order of Target, which is the run's order. The
// stored keys are the names that users' settings files hold.
std::vector<TargetDescriptor> BuildTargets() {
  std::vector<TargetDescriptor> targets;

  // The FS2004 plan text, the ISG route and the FS2004 or FSX plan, then the
  // Google Earth file, from one parse.
  targets.push_back({
      .target = Target::kFs2004,
      .cli_name = "fs2004",
      .caption = "&FS2004",
      .stored_key = "CheckBox4_Checked",
      // The FSX box is enabled under FSX too: after X-plane it would
      // otherwise stay disabled until FS9 is picked.
      .on_selection = {{{BoxRule::kEnable, "&FS2004"},
                        {BoxRule::kEnable, "&FSX", Target::kFsx},
                        kOff}},
      .place = {0, 0},
      .folder = {.key = "PLNFolder", .files_in = FileFolder::kPlanFolder, .needs_simulator = true},
      .render = Fs2004Files,
  });
  targets.push_back({
      .target = Target::kGoogleEarth,
      .cli_name = "kml",
      .caption = "Google &Earth",
      .stored_key = "CheckBox8_Checked",
      .on_selection = {kKeep, kKeep, kKeep},
      .place = {1, 6},
      .folder = {.files_in = FileFolder::kDocuments},
      .render = GoogleEarthFiles,
  });

  targets.push_back({
      .target = Target::kIfly,
      .cli_name = "ifly",
      .caption = "&iFly737",
      .stored_key = "CheckBox9_Checked",
      .on_selection = {kEnable, kOff, kKeep},
      .place = {1, 2},
      .folder = {.key = "IFGFolder",
                 .below_simulator = "ifly/737NG/navdata/Fltplan",
                 .drop_trailing_separator = true},
      .dialog = SaveDialogText{"Save the iFly 737NG plan", "iFly 737NG plan", "fltplan"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            const RouteHeader six = SixCharacterHeader(header);
            return RouteFileName{six.departure_icao + six.destination_icao, ".fltplan"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteIflyPlan(input.header, input.waypoints));
          },
  });
  targets.push_back({
      .target = Target::kLevelD,
      .cli_name = "leveld",
      .caption = "&LVLD 767",
      .stored_key = "CheckBox3_Checked",
      .on_selection = {kEnable, kEnable, kOff},
      .place = {1, 1},
      .folder = {.key = "LVLDFolder",
                 .below_simulator = "Level-D Simulations/navdata/Flightplans",
                 .drop_trailing_separator = true},
      .dialog = SaveDialogText{"Save the Level-D 767 route", "Route file", "rte"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            const RouteHeader six = SixCharacterHeader(header);
            return RouteFileName{six.departure_icao + six.destination_icao, ".rte"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteLevelDRoute(input.header, input.waypoints));
          },
  });
  // Not below a simulator: the key's folder as it stands, else the X-Plane
  // installation's plan folder.
  targets.push_back({
      .target = Target::kXPlane,
      .cli_name = "xplane",
      .caption = "X-Pla&ne",
      .stored_key = "CheckBox6_Checked",
      .on_selection = {kOff, kOff, {BoxRule::kEnableAndTick}},
      .place = {1, 4},
      .folder = {.key = "X-PlaneFolder", .else_xplane_plans = true, .name = "X-Plane"},
      .dialog = SaveDialogText{"Save the X-Plane plan", "X-Plane plan", "fms"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            const RouteHeader six = SixCharacterHeader(header);
            return RouteFileName{six.departure_icao + "-" + six.destination_icao, ".fms"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteXPlaneFms(input.header, input.waypoints));
          },
  });
  targets.push_back({
      .target = Target::kPmdg,
      .cli_name = "pmdg",
      .caption = "P&MDG 737/747",
      .stored_key = "CheckBox2_Checked",
      .on_selection = {{{BoxRule::kEnable, "P&MDG 737/747"},
                        {BoxRule::kEnable, "P&MDG 747"},
                        kOff}},
      .place = {1, 0},
      .mode = ParseMode::kDecimal,
      .folder = {.key = "PMDGFolder",
                 .below_simulator = "Pmdg/Flightplans",
                 .drop_trailing_separator = true},
      .dialog = SaveDialogText{"Save the PMDG route", "Route file", "rte"},
      .naming = Naming::kNumbered,
      .file_name =
          [](const RouteHeader& header, std::string_view number) {
            const RouteHeader six = SixCharacterHeader(header);
            return RouteFileName{six.departure_icao + six.destination_icao,
                                 std::string(number) + ".rte"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WritePmdgRoute(input.header, input.waypoints, input.choices.runway));
          },
      .status = StatusRule::kBeforeWriteUnlessDialog,
  });

  targets.push_back({
      .target = Target::kFsNavigator,
      .cli_name = "fsnav",
      .caption = "FSNa&vigator",
      .stored_key = "CheckBox5_Checked",
      .on_selection = kFs9Only,
      .place = {1, 3},
      .folder = {.key = "FSNAVFolder",
                 .below_simulator = "Modules/FSNavigator/plan",
                 .drop_trailing_separator = true},
      .dialog = SaveDialogText{"Save the FSNavigator plan", "FSNavigator plan", "fsn"},
      .naming = Naming::kNumbered,
      .file_name =
          [](const RouteHeader& header, std::string_view number) {
            const RouteHeader six = SixCharacterHeader(header);
            return RouteFileName{six.departure_icao + "-" + six.destination_icao,
                                 std::string(number) + ".fsn"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteFsNavigatorPlan(input.header, input.waypoints));
          },
      .status = StatusRule::kBareName,
  });
  // One file per card, always under the automatic names.
  targets.push_back({
      .target = Target::kCiva,
      .cli_name = "civa",
      .caption = "&CIVA",
      .stored_key = "CheckBox7_Checked",
      .on_selection = {kKeep, kKeep, kKeep},
      .place = {1, 5},
      .folder = {.key = "CIVAFolder",
                 .below_simulator = "Civa/ADEU",
                 .drop_trailing_separator = true,
                 .create_one_level = true},
      .render = CivaFiles,
      .names_files_written_before_failure = true,
  });
  targets.push_back({
      .target = Target::kMadDog,
      .cli_name = "maddog",
      .caption = "Mad&Dog2008",
      .stored_key = "MadDog2006_Checked",
      .on_selection = kFs9Only,
      .place = {0, 5},
      .folder = {.key = "", .below_simulator = "MADDOG2008/Routes"},
      .dialog = SaveDialogText{"Save the MadDog 2008 route", "MadDog 2008 route", "mdr"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            const RouteHeader six = SixCharacterHeader(header);
            return RouteFileName{six.departure_icao + six.destination_icao, ".mdr"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteMadDogRoute(input.header, input.waypoints));
          },
      .status = StatusRule::kBareName,
  });
  // The plan store of the KLN 90B unit, with its own flow.
  targets.push_back({
      .target = Target::kTu154,
      .cli_name = "tu154",
      .caption = "&TU154",
      .stored_key = "Tu154_Checked",
      .on_selection = kFs9Only,
      .place = {0, 4},
      .folder = {.key = "", .below_simulator = "PTT_KLN90B"},
      .check_choices =
          [](const RunChoices& choices) {
            if (choices.plan_number < 1 || choices.plan_number > kTu154MaxPlanNumber)
              throw RunError(fmt::format("{}\n{}", kPlanNumberTooHigh, kTu154PlanRange));
          },
      .reads_navigation = true,
      .render = Tu154Files,
  });

  // Beside the version-3 X-Plane file unless a folder of its own is set; no
  // dash in the name, so it never replaces that file.
  targets.push_back({
      .target = Target::kXPlane11,
      .cli_name = "xplane11",
      .caption = "X-Plane &11/12",
      .stored_key = "XPlane11_Checked",
      .on_selection = kEverySimulator,
      .place = {2, 0},
      .folder = {.key = "XPlane11Folder",
                 .fallback_key = "X-PlaneFolder",
                 .else_xplane_plans = true,
                 .name = "X-Plane"},
      .dialog = SaveDialogText{"Save the X-Plane 11/12 plan", "X-Plane 11/12 plan", "fms"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            return RouteFileName{header.departure_icao + header.destination_icao, ".fms"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteXPlane11Fms(
                input.header, input.waypoints, input.choices.runway,
                input.choices.cycle.empty() ? AiracCycleToday() : input.choices.cycle));
          },
  });
  targets.push_back({
      .target = Target::kGpx,
      .cli_name = "gpx",
      .caption = "&GPX",
      .stored_key = "Gpx_Checked",
      .on_selection = kEverySimulator,
      .place = {2, 1},
      .folder = {.key = "GPXFolder",
                 .drop_trailing_separator = true,
                 .else_documents = true,
                 .name = "GPX"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            return RouteFileName{header.departure_icao + "-" + header.destination_icao, ".gpx"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteGpxRoute(input.header, input.waypoints));
          },
  });
  // Today's simulator: exact positions, the airway on the point it reaches,
  // the runway and an ICAO block on every point. The FSX plan stays as FSX
  // and Prepar3D load it.
  targets.push_back({
      .target = Target::kMsfs,
      .cli_name = "msfs",
      .caption = "M&SFS 2020",
      .stored_key = "Msfs_Checked",
      .on_selection = kEverySimulator,
      .place = {2, 2},
      .folder = {.key = "MSFSFolder",
                 .drop_trailing_separator = true,
                 .else_documents = true,
                 .name = "MSFS"},
      .dialog = SaveDialogText{"Save the MSFS 2020 plan", "MSFS flight plan", "pln"},
      .file_name =
          [](const RouteHeader& header, std::string_view) {
            return RouteFileName{header.departure_icao + "-" + header.destination_icao, ".pln"};
          },
      .render =
          [](const WriterInput& input) {
            return OwnFile(WriteMsfsPlan(input.header, input.waypoints, input.choices.runway));
          },
  });

  // No box of its own: the FS2004 box stands for it while FSX is selected.
  targets.push_back({
      .target = Target::kFsx,
      .cli_name = "fsx",
      .caption = "&FSX",
      .on_selection = {kOff, kEnable, kOff},
      .selects_simulator = Simulator::kFsx,
      .cli_help = "the FSX plan",
      .folder = {.files_in = FileFolder::kPlanFolder},
      .render = FsxFiles,
  });
  return targets;
}

const std::vector<TargetDescriptor>& Table() {
  static const std::vector<TargetDescriptor> targets = BuildTargets();
  return targets;
}

}  // namespace

TargetFiles OwnFile(std::string bytes) {
  TargetFiles files;
  files.push_back({.bytes = std::move(bytes)});
  return files;
}

std::string CaptionUnder(const TargetDescriptor& target, Simulator simulator) {
  const std::string_view under = target.on_selection[static_cast<std::size_t>(simulator)].caption;
  return WithoutMnemonic(under.empty() ? target.caption : under);
}

std::span<const TargetDescriptor> Targets() {
  return AllTargets().first(kTargetCount);
}

std::span<const TargetDescriptor> AllTargets() {
  return Table();
}

const TargetDescriptor& DescriptorOf(Target target) {
  return AllTargets()[static_cast<std::size_t>(target)];
}

Target TargetUnder(Target ticked, Simulator simulator) {
  return DescriptorOf(ticked).on_selection[static_cast<std::size_t>(simulator)].stands_for.value_or(
      ticked);
}

std::optional<Target> TargetByCliName(std::string_view name) {
  for (const TargetDescriptor& descriptor : AllTargets()) {
    if (descriptor.cli_name == name)
      return descriptor.target;
  }
  return std::nullopt;
}

std::optional<Simulator> SimulatorByCliName(std::string_view name) {
  for (const SimulatorInfo& info : kSimulators) {
    if (info.cli_name == name)
      return info.simulator;
  }
  return std::nullopt;
}

bool TargetAllowed(Simulator simulator, Target target) {
  return DescriptorOf(target).on_selection[static_cast<std::size_t>(simulator)].rule !=
         BoxRule::kOff;
}

std::string WithoutMnemonic(std::string_view caption) {
  std::string text;
  text.reserve(caption.size());
  for (std::size_t at = 0; at < caption.size(); ++at) {
    // "&&" stands for one "&"; a lone "&" marks the next letter.
    if (caption[at] == '&' && ++at == caption.size())
      break;
    text.push_back(caption[at]);
  }
  return text;
}

bool Super80Allowed(Simulator simulator) {
  return kSuper80Selection[static_cast<std::size_t>(simulator)].rule != BoxRule::kOff;
}

}  // namespace korvanta

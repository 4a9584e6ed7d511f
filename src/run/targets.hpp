#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "files/plan_store.hpp"
#include "files/safe_file_name.hpp"
#include "navdata/kln_navigation_points.hpp"
#include "readers/route_text_parser.hpp"
#include "route/tables.hpp"

namespace korvanta {

// The target formats: first those with a tick box of their own, in the
// order of the window's boxes and of the run; then those that another
// target's box stands for under a selection.
enum class Target {
  kFs2004,  // the FS2004 plan; while FSX is selected its box stands for the FSX plan
  kGoogleEarth,
  kIfly,
  kLevelD,
  kXPlane,
  kPmdg,
  kFsNavigator,
  kCiva,
  kMadDog,
  kTu154,
  kXPlane11,
  kGpx,
  kMsfs,
  // The targets without a tick box of their own follow.
  kFsx,  // the FSX plan: the FS2004 box while FSX is selected
};
inline constexpr Target kFirstTargetWithoutBox = Target::kFsx;
// The targets with a tick box of their own: those before the first without.
inline constexpr std::size_t kTargetCount = static_cast<std::size_t>(kFirstTargetWithoutBox);

// The simulator selection, and its items in this order.
enum class Simulator { kFs9 = 0, kFsx = 1, kXPlane = 2 };
inline constexpr std::size_t kSimulatorCount = 3;

struct SimulatorInfo {
  Simulator simulator;
  std::string_view cli_name;  // korvanta-cli's --sim value
  std::string_view caption;   // the window's item, with its mnemonic (see WithoutMnemonic)
};
inline constexpr std::array<SimulatorInfo, kSimulatorCount> kSimulators = {{
    {Simulator::kFs9, "fs9", "FS&9"},
    {Simulator::kFsx, "fsx", "FS&X"},
    {Simulator::kXPlane, "xplane", "X-&plane"},
}};
std::optional<Simulator> SimulatorByCliName(std::string_view name);

// The window's captions carry their Alt+letter mnemonic as both toolkits
// write it: "&" before the letter, "&&" for a shown "&". This is the caption
// as text, for a message or a line that names the control.
std::string WithoutMnemonic(std::string_view caption);

// What a simulator selection does to a tick box. "Off" is disabled and
// unticked; kKeep leaves the box as it is.
enum class BoxRule { kKeep, kEnable, kOff, kEnableAndTick };

struct SelectionEffect {
  BoxRule rule = BoxRule::kKeep;
  std::string_view
      caption{};  // the box's caption under the selection (with its mnemonic); empty: it stays
  std::optional<Target> stands_for{};  // the target the ticked box writes; none: its own
};
// One effect per simulator, in the order of Simulator.
using SelectionEffects = std::array<SelectionEffect, kSimulatorCount>;

// The Flight1 Super 80 box names the FS2004 plan for that add-on; it is no
// target of its own, but the selections switch it like one.
inline constexpr SelectionEffects kSuper80Selection = {
    {{BoxRule::kEnable}, {BoxRule::kOff}, {BoxRule::kOff}}};

// Where a tick box sits in the window's three tick rows: the row (0 is the
// top one) and its place along the row, counted from the left (the window's
// own controls in the first row take places too). Both windows lay the boxes
// out, and walk them with Tab, in this order; how wide each one is belongs to
// the view.
struct BoxPlace {
  int row = 0;
  int order = 0;
};
inline constexpr int kTickRows = 3;

// The folder a file goes into.
enum class FileFolder {
  kTarget,      // the row's folder rule
  kSimulator,   // the selected simulator's folder
  kPlanFolder,  // the selected simulator's flight-plan folder
  kDocuments,   // the user's documents folder
  kProgram,     // the program's own folder
};

// Where a row puts its files: a settings key of section "Main" (empty when
// the row has none) or, when it reads "nic", a folder below the simulator
// folder of the run, the X-Plane installation's plan folder or the documents
// folder. A folder that none of these gives is not set: the row fails, and
// never writes into the current folder.
struct FolderRule {
  std::string_view key{};
  std::string_view below_simulator{};  // "/"-separated
  bool drop_trailing_separator = false;
  // Made when missing, one level inside a folder that exists; a folder the
  // key names is never made, and a missing one fails the row.
  bool create_one_level = false;
  std::string_view fallback_key{};  // read when `key` is not set, before the folders below
  bool else_documents = false;      // without a key's folder: DocumentsDir, not the simulator's
  bool else_xplane_plans = false;   // without a key's folder: the X-Plane installation's plans
  // A row without a key: the folder its files go into, as the Folders list
  // shows it.
  FileFolder files_in = FileFolder::kTarget;
  // The row counts as installed only where the simulator folder exists.
  bool needs_simulator = false;
  // How messages name the folder when it is not set ("X-Plane").
  std::string_view name{};
};

// Which name a row's own file gets when no "/T" dialog chose it.
enum class Naming {
  kFixed,     // file_name(header, "")
  kNumbered,  // file_name(header, "001") ... "998", the first this run can take
};

// Which text the status line shows for a file.
enum class StatusRule {
  kNone,                     // none: the program's own file ("temp.tmp"), or one of several
  kFullPath,                 // "File " + path + " created"
  kBareName,                 // the automatic name without folder, or the dialog's path
  kBeforeWriteUnlessDialog,  // set before writing, with folder; none after a dialog
};

// The "/T" save dialog of a row: its title names the target, and its one
// filter and default extension are the target's own, so that a name typed
// without an extension gets the one the target loads.
struct SaveDialogText {
  std::string_view title;
  std::string_view filter_name;
  std::string_view extension;  // without the dot
};

// How a file is written.
enum class FileWrite {
  kWhole,            // the file is replaced whole
  kMergedIntoStore,  // `bytes` are merged into the store's old text, under the store's lock
  kRemoved,          // a file of the row's earlier runs that must go (a regular file; none is fine,
                     // and ends the row's removals after it); its status says "removed"
};

// One file a row makes, and how the run writes it.
struct TargetFile {
  // The name in its folder, made safe by the run; none: the row's own file,
  // named by the "/T" dialog or by the row's naming rule.
  std::optional<RouteFileName> name{};
  std::string bytes{};
  FileWrite write = FileWrite::kWhole;
  StoreMerge merge{};  // for kMergedIntoStore
  FileFolder folder = FileFolder::kTarget;
  std::string_view below{};  // "/"-separated folders below `folder`
  NameCharacters characters = NameCharacters::kWindows1252;
  // The status after the file; the row's own file takes the row's rule.
  StatusRule status = StatusRule::kFullPath;
  std::string status_text{};               // set: shown instead of "File ... created"
  bool only_into_existing_folder = false;  // skipped when its folder does not exist
  bool needs_fsx_plan_folder = false;      // the row fails when FSX's plan folder was not found
  bool create_folder = false;  // its folder is made when missing, one level inside one that exists
  bool opened = false;         // handed to the desktop's viewer once written
};
using TargetFiles = std::vector<TargetFile>;

// The row's own file with these bytes (for a row of one file).
TargetFiles OwnFile(std::string bytes);

struct RunChoices;

// What a row's render function is given.
struct WriterInput {
  const RouteHeader& header;
  const WaypointTable& waypoints;
  const RunChoices& choices;
  // The navigation data of the row's folder, for a row that reads it.
  KlnNavigationPoints* navigation_points = nullptr;
  // Texts that a row made for the rows after it in this run, by name (the
  // FS2004 plan text, which the Google Earth file is made from): made once.
  std::map<std::string, std::string, std::less<>>* run_texts = nullptr;
};

// Everything about one target, as one row: the run, the window model, both
// windows' tick boxes and the command line read it. The run does the shared
// pattern for every row: the folders, the names (dialog, automatic,
// numbered), the writes and the status texts; the row's render makes the
// bytes. A target that cannot be written throws RunError from its render.
struct TargetDescriptor {
  Target target;
  std::string_view cli_name;      // korvanta-cli's name; the window's box is named cli_name + "Box"
  std::string_view caption;       // the box's caption as the window opens, with its mnemonic
  std::string_view stored_key{};  // keeps the box's tick in the settings file's section "TForm1"
  SelectionEffects on_selection;
  BoxPlace place{};
  // A target that another box stands for: the selection that the command
  // line takes when it names the target without --sim, and what the help
  // calls it.
  std::optional<Simulator> selects_simulator{};
  std::string_view cli_help{};

  ParseMode mode = ParseMode::kText;  // the route reading the writer needs
  FolderRule folder{};
  std::optional<SaveDialogText> dialog{};  // set when the row offers the "/T" dialog
  Naming naming = Naming::kFixed;
  // The name of the row's own file in the target folder; `number` is "001"
  // ... for numbered rows, empty otherwise. The number and the extension are
  // the name's kept end, so that a shortened name still has them.
  std::function<RouteFileName(const RouteHeader&, std::string_view number)> file_name{};
  // Throws RunError when the row cannot be written under the choices;
  // called before anything of the row is read or written.
  std::function<void(const RunChoices&)> check_choices{};
  // The row reads the KLN 90B navigation data of its folder before rendering.
  bool reads_navigation = false;
  std::function<TargetFiles(const WriterInput&)> render{};
  StatusRule status = StatusRule::kFullPath;  // the status of the row's own file
  // A failure part-way through the row's files also names those written
  // before it: the files of one set that are new beside the older ones.
  bool names_files_written_before_failure = false;

  // The caption without its mnemonic mark, as messages name the target.
  std::string PlainCaption() const { return WithoutMnemonic(caption); }
};

// The box's caption under the selection, as text without its mnemonic ("FSX"
// for the FS2004 box while FSX is selected).
std::string CaptionUnder(const TargetDescriptor& target, Simulator simulator);

// The targets with a tick box of their own, in the order of Target, which is
// the order of the run.
std::span<const TargetDescriptor> Targets();
// Every row of the table: those of Targets(), then the targets that another
// box stands for.
std::span<const TargetDescriptor> AllTargets();
const TargetDescriptor& DescriptorOf(Target target);
std::optional<Target> TargetByCliName(std::string_view name);
// The target that a ticked box (or a name on the command line) writes under
// the selection: the FSX plan for the FS2004 box while FSX is selected.
Target TargetUnder(Target ticked, Simulator simulator);

// Whether a target may be ticked under the selection, starting from a state
// where every box is enabled (the command line's rule).
bool TargetAllowed(Simulator simulator, Target target);
// Whether the Flight1 Super 80 box may be ticked under the selection.
bool Super80Allowed(Simulator simulator);

}  // namespace korvanta

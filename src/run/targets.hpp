#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "files/safe_file_name.hpp"
#include "readers/route_text_parser.hpp"
#include "route/tables.hpp"

namespace korvanta {

// The target formats, in the order of the target table (the run's order).
enum class Target {
  kFs2004,  // the FS2004 plan, or the FSX plan while FSX is selected
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
};
inline constexpr std::size_t kTargetCount = static_cast<std::size_t>(Target::kMsfs) + 1;

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
};
// One effect per simulator, in the order of Simulator.
using SelectionEffects = std::array<SelectionEffect, kSimulatorCount>;

// The Flight1 Super 80 box names the FS2004 plan for that add-on; it is no
// target of its own, but the selections switch it like one.
inline constexpr SelectionEffects kSuper80Selection = {
    {{BoxRule::kEnable}, {BoxRule::kOff}, {BoxRule::kOff}}};

// Where a tick box sits in the window's three tick rows: the row (0 is the
// top one), its left edge and its width in dialog units (4 units across are
// the dialog font's average character width). The rows are laid out in the
// order of `left`.
struct BoxPlace {
  int row = 0;
  int left = 0;
  int width = 0;
};
inline constexpr int kTickRows = 3;

// Where a writer puts its files: a settings key of section "Main" (empty when
// the writer has none) or, when it reads "nic", a folder below the simulator
// folder of the run.
struct FolderRule {
  std::string_view key{};
  std::string_view below_simulator{};  // "/"-separated; empty with a key: "." (the current folder)
  bool drop_trailing_separator = false;
  bool create_one_level = false;    // made when missing (one level; a failure is ignored)
  std::string_view fallback_key{};  // read when `key` is not set, before the folders below
  bool else_documents = false;      // without a key's folder: DocumentsDir, not the simulator's
};

// Which name a writer's file gets when no "/T" dialog chose it.
enum class Naming {
  kFixed,     // file_name(header, "")
  kNumbered,  // file_name(header, "001") ... "998", the first this run can take
};

// Which text the status line shows after the writer.
enum class StatusRule {
  kFullPath,                 // "File " + path + " created"
  kBareName,                 // the automatic name without folder, or the dialog's path
  kBeforeWriteUnlessDialog,  // set before writing, with folder; none after a dialog
};

// The "/T" save dialog of a writer: its title names the target, and its one
// filter and default extension are the target's own, so that a name typed
// without an extension gets the one the target loads.
struct SaveDialogText {
  std::string_view title;
  std::string_view filter_name;
  std::string_view extension;  // without the dot
};

struct RunChoices;

// What a writer's render function is given.
struct WriterInput {
  const RouteHeader& header;
  const WaypointTable& waypoints;
  const RunChoices& choices;
};

enum class SlotStep { kContinue, kStop };

// The shared steps of a run that every writer step uses (run/writer_slots.hpp).
struct SlotContext;

// Everything about one target, as one row: the run, the window model, both
// windows' tick boxes and the command line read it. Writers that follow the
// run's shared pattern set the writer fields; writers with their own flow
// (several files, a store to merge) set `custom` instead.
struct TargetDescriptor {
  Target target;
  std::string_view cli_name;    // korvanta-cli's name; the window's box is named cli_name + "Box"
  std::string_view caption;     // the box's caption as the window opens, with its mnemonic
  std::string_view stored_key;  // keeps the box's tick in the settings file's section "TForm1"
  SelectionEffects on_selection;
  BoxPlace place;
  // The target whose step writes this target's file (the Google Earth file
  // is made from the FS2004 plan text), or none: the target has its own step.
  std::optional<Target> written_by{};

  ParseMode mode = ParseMode::kText;  // the route reading the writer needs
  FolderRule folder{};
  std::optional<SaveDialogText> dialog{};  // set when the writer offers the "/T" dialog
  Naming naming = Naming::kFixed;
  // The file name in the target folder; `number` is "001" ... for numbered
  // writers, empty otherwise. The number and the extension are the name's
  // kept end, so that a shortened name still has them.
  std::function<RouteFileName(const RouteHeader&, std::string_view number)> file_name{};
  std::function<std::string(const WriterInput&)> render{};
  StatusRule status = StatusRule::kFullPath;
  std::function<SlotStep(SlotContext&, const TargetDescriptor&)> custom{};

  // The caption without its mnemonic mark, as messages name the target.
  std::string PlainCaption() const { return WithoutMnemonic(caption); }
};

// Every target, in the order of Target.
std::span<const TargetDescriptor> Targets();
const TargetDescriptor& DescriptorOf(Target target);
std::optional<Target> TargetByCliName(std::string_view name);

// Whether a target may be ticked under the selection, starting from a state
// where every box is enabled (the command line's rule).
bool TargetAllowed(Simulator simulator, Target target);
// Whether the Flight1 Super 80 box may be ticked under the selection.
bool Super80Allowed(Simulator simulator);

}  // namespace korvanta

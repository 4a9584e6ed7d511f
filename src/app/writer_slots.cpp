#include "app/writer_slots.hpp"

#include "app/civa_slot.hpp"
#include "app/first_block.hpp"
#include "app/tu154_slot.hpp"
#include "writers/fsnavigator.hpp"
#include "writers/ifly.hpp"
#include "writers/leveld.hpp"
#include "writers/maddog.hpp"
#include "writers/pmdg.hpp"
#include "writers/xplane.hpp"

namespace korvanta {

namespace {

std::vector<WriterSlot> BuildSlots() {
  std::vector<WriterSlot> slots;

  WriterSlot first;
  first.target = Target::kFs2004;
  first.custom = RunFirstBlock;
  slots.push_back(first);

  // iFly 737NG, Level-D 767, X-Plane, PMDG (in this order) go here.
  {
    WriterSlot ifly;
    ifly.target = Target::kIfly;
    ifly.folder = {.key = "IFGFolder",
                   .below_simulator = "ifly/737NG/navdata/Fltplan",
                   .drop_trailing_separator = true};
    ifly.dialog = SaveDialogText{"Save the iFly 737NG plan", "iFly 737NG plan", "fltplan"};
    ifly.file_name = [](const RouteHeader& h, std::string_view) {
      return h.DepIcao + h.DestIcao + ".fltplan";
    };
    ifly.render = [](const WriterInput& in) { return WriteIflyPlan(in.header, in.rm); };
    slots.push_back(ifly);

    WriterSlot leveld;
    leveld.target = Target::kLevelD;
    leveld.folder = {.key = "LVLDFolder",
                     .below_simulator = "Level-D Simulations/navdata/Flightplans",
                     .drop_trailing_separator = true};
    leveld.dialog = SaveDialogText{"Save the Level-D 767 route", "Route file", "rte"};
    leveld.file_name = [](const RouteHeader& h, std::string_view) {
      return h.DepIcao + h.DestIcao + ".rte";
    };
    leveld.render = [](const WriterInput& in) { return WriteLevelDRoute(in.header, in.rm); };
    slots.push_back(leveld);

    // Not below a simulator: the key's folder as it stands, else the
    // current folder.
    WriterSlot xplane;
    xplane.target = Target::kXPlane;
    xplane.folder.key = "X-PlaneFolder";
    xplane.dialog = SaveDialogText{"Save the X-Plane plan", "X-Plane plan", "fms"};
    xplane.file_name = [](const RouteHeader& h, std::string_view) {
      return h.DepIcao + "-" + h.DestIcao + ".fms";
    };
    xplane.render = [](const WriterInput& in) { return WriteXPlaneFms(in.header, in.rm); };
    slots.push_back(xplane);

    WriterSlot pmdg;
    pmdg.target = Target::kPmdg;
    pmdg.mode = ParseMode::kDecimal;
    pmdg.folder = {.key = "PMDGFolder",
                   .below_simulator = "Pmdg/Flightplans",
                   .drop_trailing_separator = true};
    pmdg.dialog = SaveDialogText{"Save the PMDG route", "Route file", "rte"};
    pmdg.naming = Naming::kNumbered;
    pmdg.file_name = [](const RouteHeader& h, std::string_view number) {
      return h.DepIcao + h.DestIcao + std::string(number) + ".rte";
    };
    pmdg.render = [](const WriterInput& in) {
      return WritePmdgRoute(in.header, in.rm, in.choices.runway);
    };
    pmdg.status = StatusRule::kBeforeWriteUnlessDialog;
    slots.push_back(pmdg);
  }

  // FSNavigator, CIVA, MadDog 2008, Tu-154 (in this order) go here.
  {
    WriterSlot fsnav;
    fsnav.target = Target::kFsNavigator;
    fsnav.folder = {.key = "FSNAVFolder",
                    .below_simulator = "Modules/FSNavigator/plan",
                    .drop_trailing_separator = true};
    fsnav.dialog = SaveDialogText{"Save the FSNavigator plan", "FSNavigator plan", "fsn"};
    fsnav.naming = Naming::kNumbered;
    fsnav.file_name = [](const RouteHeader& h, std::string_view number) {
      return h.DepIcao + "-" + h.DestIcao + std::string(number) + ".fsn";
    };
    fsnav.render = [](const WriterInput& in) { return WriteFsNavigatorPlan(in.header, in.rm); };
    fsnav.status = StatusRule::kBareName;
    slots.push_back(fsnav);

    // One file per card, always under the automatic names.
    WriterSlot civa;
    civa.target = Target::kCiva;
    civa.folder = {.key = "CIVAFolder",
                   .below_simulator = "Civa/ADEU",
                   .drop_trailing_separator = true,
                   .create_one_level = true};
    civa.custom = RunCivaSlot;
    slots.push_back(civa);

    WriterSlot maddog;
    maddog.target = Target::kMadDog;
    maddog.folder = {.key = "", .below_simulator = "MADDOG2008/Routes"};
    maddog.dialog = SaveDialogText{"Save the MadDog 2008 route", "MadDog 2008 route", "mdr"};
    maddog.file_name = [](const RouteHeader& h, std::string_view) {
      return h.DepIcao + h.DestIcao + ".mdr";
    };
    maddog.render = [](const WriterInput& in) { return WriteMadDogRoute(in.header, in.rm); };
    maddog.status = StatusRule::kBareName;
    slots.push_back(maddog);

    // The plan store of the KLN 90B unit, with its own flow.
    WriterSlot tu154;
    tu154.target = Target::kTu154;
    tu154.folder = {.key = "", .below_simulator = "PTT_KLN90B"};
    tu154.custom = RunTu154Slot;
    slots.push_back(tu154);
  }

  return slots;
}

}  // namespace

const std::vector<WriterSlot>& WriterSlots() {
  static const std::vector<WriterSlot> slots = BuildSlots();
  return slots;
}

bool TargetAvailable(Target target, [[maybe_unused]] Simulator simulator) {
  // The first block writes the FS2004 plan, or the FSX plan while FSX is
  // selected, and the Google Earth file under every selection.
  if (target == Target::kGoogleEarth || target == Target::kFs2004)
    return true;
  for (const WriterSlot& slot : WriterSlots()) {
    if (slot.target == target)
      return true;
  }
  return false;
}

bool SlotTicked(const WriterSlot& slot, const RunChoices& choices) {
  if (slot.target == Target::kFs2004) {
    return choices.Ticked(Target::kFs2004) || choices.Ticked(Target::kGoogleEarth);
  }
  return choices.Ticked(slot.target);
}

}  // namespace korvanta

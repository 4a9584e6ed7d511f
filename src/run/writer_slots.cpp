#include "run/writer_slots.hpp"

#include "run/civa_slot.hpp"
#include "run/plan_isg_kml_slot.hpp"
#include "run/tu154_slot.hpp"
#include "writers/airac_cycle.hpp"
#include "writers/fsnavigator.hpp"
#include "writers/gpx.hpp"
#include "writers/ifly.hpp"
#include "writers/leveld.hpp"
#include "writers/maddog.hpp"
#include "writers/pmdg.hpp"
#include "writers/xplane.hpp"
#include "writers/xplane11.hpp"

namespace korvanta {

namespace {

std::vector<WriterSlot> BuildSlots() {
  std::vector<WriterSlot> slots;

  WriterSlot first;
  first.target = Target::kFs2004;
  first.custom = RunPlanIsgAndKmlSlot;
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
      return RouteFileName{h.departure_icao + h.destination_icao, ".fltplan"};
    };
    ifly.render = [](const WriterInput& in) { return WriteIflyPlan(in.header, in.waypoints); };
    slots.push_back(ifly);

    WriterSlot leveld;
    leveld.target = Target::kLevelD;
    leveld.folder = {.key = "LVLDFolder",
                     .below_simulator = "Level-D Simulations/navdata/Flightplans",
                     .drop_trailing_separator = true};
    leveld.dialog = SaveDialogText{"Save the Level-D 767 route", "Route file", "rte"};
    leveld.file_name = [](const RouteHeader& h, std::string_view) {
      return RouteFileName{h.departure_icao + h.destination_icao, ".rte"};
    };
    leveld.render = [](const WriterInput& in) { return WriteLevelDRoute(in.header, in.waypoints); };
    slots.push_back(leveld);

    // Not below a simulator: the key's folder as it stands, else the
    // current folder.
    WriterSlot xplane;
    xplane.target = Target::kXPlane;
    xplane.folder.key = "X-PlaneFolder";
    xplane.dialog = SaveDialogText{"Save the X-Plane plan", "X-Plane plan", "fms"};
    xplane.file_name = [](const RouteHeader& h, std::string_view) {
      return RouteFileName{h.departure_icao + "-" + h.destination_icao, ".fms"};
    };
    xplane.render = [](const WriterInput& in) { return WriteXPlaneFms(in.header, in.waypoints); };
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
      return RouteFileName{h.departure_icao + h.destination_icao, std::string(number) + ".rte"};
    };
    pmdg.render = [](const WriterInput& in) {
      return WritePmdgRoute(in.header, in.waypoints, in.choices.runway);
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
      return RouteFileName{h.departure_icao + "-" + h.destination_icao,
                           std::string(number) + ".fsn"};
    };
    fsnav.render = [](const WriterInput& in) {
      return WriteFsNavigatorPlan(in.header, in.waypoints);
    };
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
      return RouteFileName{h.departure_icao + h.destination_icao, ".mdr"};
    };
    maddog.render = [](const WriterInput& in) { return WriteMadDogRoute(in.header, in.waypoints); };
    maddog.status = StatusRule::kBareName;
    slots.push_back(maddog);

    // The plan store of the KLN 90B unit, with its own flow.
    WriterSlot tu154;
    tu154.target = Target::kTu154;
    tu154.folder = {.key = "", .below_simulator = "PTT_KLN90B"};
    tu154.custom = RunTu154Slot;
    slots.push_back(tu154);
  }

  // X-Plane 11/12, then GPX.
  {
    // Beside the version-3 X-Plane file unless a folder of its own is set;
    // no dash in the name, so it never replaces that file.
    WriterSlot xplane11;
    xplane11.target = Target::kXPlane11;
    xplane11.folder = {.key = "XPlane11Folder", .fallback_key = "X-PlaneFolder"};
    xplane11.dialog = SaveDialogText{"Save the X-Plane 11/12 plan", "X-Plane 11/12 plan", "fms"};
    xplane11.file_name = [](const RouteHeader& h, std::string_view) {
      return RouteFileName{h.departure_icao + h.destination_icao, ".fms"};
    };
    xplane11.render = [](const WriterInput& in) {
      return WriteXPlane11Fms(in.header, in.waypoints, in.choices.runway,
                              in.choices.cycle.empty() ? AiracCycleToday() : in.choices.cycle);
    };
    slots.push_back(xplane11);

    WriterSlot gpx;
    gpx.target = Target::kGpx;
    gpx.folder = {.key = "GPXFolder", .drop_trailing_separator = true, .else_personal = true};
    gpx.file_name = [](const RouteHeader& h, std::string_view) {
      return RouteFileName{h.departure_icao + "-" + h.destination_icao, ".gpx"};
    };
    gpx.render = [](const WriterInput& in) { return WriteGpxRoute(in.header, in.waypoints); };
    slots.push_back(gpx);
  }

  return slots;
}

}  // namespace

const std::vector<WriterSlot>& WriterSlots() {
  static const std::vector<WriterSlot> slots = BuildSlots();
  return slots;
}

bool TargetAvailable(Target target, [[maybe_unused]] Simulator simulator) {
  // The plan, ISG route and KML step writes the FS2004 plan, or the FSX plan while FSX is
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

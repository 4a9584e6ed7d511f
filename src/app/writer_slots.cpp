#include "app/writer_slots.hpp"

#include "app/first_block.hpp"

namespace korvanta {

namespace {

std::vector<WriterSlot> BuildSlots() {
  std::vector<WriterSlot> slots;

  WriterSlot first;
  first.target = Target::kFs2004;
  first.custom = RunFirstBlock;
  slots.push_back(first);

  // iFly 737NG, Level-D 767, X-Plane, PMDG (in this order) go here.

  // FSNavigator, CIVA, MadDog 2008, Tu-154 (in this order) go here.

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

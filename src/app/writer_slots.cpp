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

bool TargetAvailable(Target target, Simulator simulator) {
  if (target == Target::kGoogleEarth)
    return false;
  if (target == Target::kFs2004)
    return simulator != Simulator::kFsx;
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

#include "run/writer_slots.hpp"

namespace korvanta {

// A target written by another target's step runs in that step: the step runs
// when its own target or any target it writes is ticked.
bool SlotTicked(const TargetDescriptor& slot, const RunChoices& choices) {
  if (slot.written_by)
    return false;
  for (const TargetDescriptor& target : Targets()) {
    if ((target.target == slot.target || target.written_by == slot.target) &&
        choices.Ticked(target.target))
      return true;
  }
  return false;
}

std::string CaptionUnder(const TargetDescriptor& target, Simulator simulator) {
  const std::string_view under = target.on_selection[static_cast<std::size_t>(simulator)].caption;
  return WithoutMnemonic(under.empty() ? target.caption : under);
}

}  // namespace korvanta

#pragma once

#include "run/writer_slots.hpp"

namespace korvanta {

// The CIVA writer of a run: the INS cards, one file per card, always under
// their automatic names (no "/T" dialog); the status names the last card.
SlotStep RunCivaSlot(SlotContext& ctx, const TargetDescriptor& slot);

}  // namespace korvanta

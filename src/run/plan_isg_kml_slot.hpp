#pragma once

#include "run/writer_slots.hpp"

namespace korvanta {

// The FS2004/FSX plan, ISG route and Google Earth step of a run: the FS2004 plan text (in
// "temp.tmp", or under the Flight1 Super 80 name), the ISG route when its folder exists, then the
// FSX plan (FSX selected) or the FS2004 ".pln" copy, then the Google Earth file. One reading serves
// all of them; each file but "temp.tmp" gets its "File ... created" status. A
// failure of the plan files does not keep the Google Earth file from being
// written, nor the other way round.
SlotStep RunPlanIsgAndKmlSlot(SlotContext& ctx, const TargetDescriptor& slot);

}  // namespace korvanta

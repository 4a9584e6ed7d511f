#pragma once

#include <optional>

#include "run/targets.hpp"

namespace korvanta::win32 {

// Where a target's tick box sits across its tick row, in dialog units (4
// units across are the dialog font's average character width). The row and
// the order along it are the target's; only this window needs the units.
struct TickBoxSpan {
  int left = 0;
  int width = 0;
};

// The span of the target's tick box; none for a target this window has no
// place for.
std::optional<TickBoxSpan> TickBoxSpanOf(Target target);

}  // namespace korvanta::win32

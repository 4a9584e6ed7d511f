#include <gtest/gtest.h>

#include <cstddef>

#include "run/targets.hpp"

namespace korvanta {
namespace {

// The X-Plane 11/12 and GPX files come after the first targets, for every
// simulator, never changed by a selection. Every row sits at its target's
// place, and a box stands only for a row without a box of its own.
TEST(TargetTable, RowsInTargetOrderAndTheGenericFilesServeEverySelection) {
  for (std::size_t index = 0; index < AllTargets().size(); ++index) {
    const TargetDescriptor& row = AllTargets()[index];
    EXPECT_EQ(static_cast<std::size_t>(row.target), index) << row.cli_name;
    for (const SelectionEffect& effect : row.on_selection) {
      if (effect.stands_for) {
        EXPECT_GE(static_cast<std::size_t>(*effect.stands_for), kTargetCount) << row.cli_name;
      }
    }
  }
  EXPECT_EQ(Targets()[10].cli_name, "xplane11");
  EXPECT_EQ(Targets()[11].cli_name, "gpx");
  for (const Target target : {Target::kXPlane11, Target::kGpx}) {
    for (const SelectionEffect& effect : DescriptorOf(target).on_selection) {
      EXPECT_EQ(effect.rule, BoxRule::kEnable);
      EXPECT_TRUE(effect.caption.empty());
    }
  }
}

}  // namespace
}  // namespace korvanta

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

// The six-character targets name their files as they name the airports in
// them; the X-Plane 11/12, GPX and MSFS files keep the identifiers whole.
TEST(TargetTable, FileNamesNameTheAirportsAsTheFilesDo) {
  RouteHeader header;
  header.departure_icao = "LACDANNECY";
  header.destination_icao = "4725N12112W";
  header.destination_position = {(47 * 60 + 25) * 6000, -(121 * 60 + 12) * 6000};
  const struct {
    Target target;
    const char* name;
  } cases[] = {
      {Target::kIfly, "LACDAN47N21.fltplan"},
      {Target::kLevelD, "LACDAN47N21.rte"},
      {Target::kXPlane, "LACDAN-47N21.fms"},
      {Target::kPmdg, "LACDAN47N21001.rte"},
      {Target::kFsNavigator, "LACDAN-47N21001.fsn"},
      {Target::kMadDog, "LACDAN47N21.mdr"},
      {Target::kXPlane11, "LACDANNECY4725N12112W.fms"},
      {Target::kGpx, "LACDANNECY-4725N12112W.gpx"},
      {Target::kMsfs, "LACDANNECY-4725N12112W.pln"},
  };
  for (const auto& c : cases) {
    const RouteFileName name = DescriptorOf(c.target).file_name(header, "001");
    EXPECT_EQ(name.text + name.kept_end, c.name);
  }
}

}  // namespace
}  // namespace korvanta

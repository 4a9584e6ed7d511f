#pragma once

#include "navdata/navigation_source.hpp"
#include "test_support.hpp"

namespace korvanta::test {

// The navigation source of the FMC data folder below tests/data/navdata/fmc
// (fictional points around EAAA and EBBB, one name listed again far away),
// made once for the test program and loaded as a run loads it.
inline const NavigationSource& FmcTestNavigation() {
  static const NavigationSource source(DataDir() / "navdata/fmc", {});
  return source;
}

}  // namespace korvanta::test

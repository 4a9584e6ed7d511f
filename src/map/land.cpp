#include "map/land.hpp"

namespace korvanta {

// Placeholder until the generated land data lands: no land.
LandShapes BuiltInLand(LandDetail) {
  return {};
}

}  // namespace korvanta

#include "map/map_style.hpp"

#include <fmt/format.h>

namespace korvanta {

std::string MapColour::Hex() const {
  return fmt::format("#{:02x}{:02x}{:02x}", red, green, blue);
}

}  // namespace korvanta

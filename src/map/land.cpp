#include "map/land.hpp"

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "map/land_data.hpp"

namespace korvanta {
namespace {

constexpr int kBitsPerDigit = 5;
constexpr std::uint32_t kGoesOn = 1u << kBitsPerDigit;
constexpr std::uint32_t kNotADigit = 0xFF;
// Coordinates need fewer than 20 bits; a number that runs on past 32 is a
// damaged string, and ends the ring.
constexpr int kMostBits = 30;

constexpr std::array<std::uint32_t, 256> DigitValues() {
  std::array<std::uint32_t, 256> values{};
  values.fill(kNotADigit);
  for (std::uint32_t value = 0; value < kLandCodeDigits.size(); ++value) {
    values[static_cast<unsigned char>(kLandCodeDigits[value])] = value;
  }
  return values;
}

constexpr std::array<std::uint32_t, 256> kDigitValues = DigitValues();

// Reads a ring string's numbers one after the other.
class RingCodeReader {
 public:
  explicit RingCodeReader(std::string_view code) : code_(code) {}

  // The next number, or nothing where the string ends (or stops making sense)
  // before the number does.
  std::optional<std::int32_t> Next() {
    std::uint32_t folded = 0;
    for (int shift = 0; position_ < code_.size() && shift <= kMostBits; shift += kBitsPerDigit) {
      const std::uint32_t digit = kDigitValues[static_cast<unsigned char>(code_[position_++])];
      if (digit == kNotADigit) {
        break;
      }
      folded |= (digit & (kGoesOn - 1)) << shift;
      if ((digit & kGoesOn) == 0) {
        return static_cast<std::int32_t>(folded >> 1) ^ -static_cast<std::int32_t>(folded & 1);
      }
    }
    position_ = code_.size();
    return std::nullopt;
  }

 private:
  std::string_view code_;
  std::size_t position_ = 0;
};

std::vector<GeoPoint> DecodeRing(std::string_view code) {
  std::vector<GeoPoint> ring;
  RingCodeReader reader(code);
  std::int32_t latitude = 0;
  std::int32_t longitude = 0;
  for (;;) {
    const std::optional<std::int32_t> latitude_step = reader.Next();
    const std::optional<std::int32_t> longitude_step = reader.Next();
    if (!latitude_step || !longitude_step) {
      return ring;
    }
    latitude += *latitude_step;
    longitude += *longitude_step;
    ring.push_back({latitude / kLandUnitsPerDegree, longitude / kLandUnitsPerDegree});
  }
}

}  // namespace

LandShapes BuiltInLand(LandDetail detail) {
  LandShapes land;
  const std::span<const std::string_view> codes = LandRingCodes(detail);
  land.rings.reserve(codes.size());
  for (const std::string_view code : codes) {
    land.rings.push_back(DecodeRing(code));
  }
  return land;
}

}  // namespace korvanta

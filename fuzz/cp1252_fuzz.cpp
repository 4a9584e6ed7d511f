// The Windows-1252 / UTF-8 conversions over arbitrary bytes.
//
// Every Windows-1252 text survives the way to UTF-8 and back; the UTF-8 form
// is valid UTF-8; UTF-8 text whose characters all have a Windows-1252 form
// survives the way back and forth; and input is taken as UTF-8 exactly when it
// is valid UTF-8.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_support.hpp"
#include "text/cp1252.hpp"
#include "text/utf8.hpp"

namespace {

using korvanta::fuzz::Require;

bool HasHighByte(std::string_view text) {
  for (const char c : text) {
    if (static_cast<unsigned char>(c) >= 0x80)
      return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes = korvanta::fuzz::AsText(data, size);

  const std::string utf8 = korvanta::Cp1252ToUtf8(bytes);
  Require(korvanta::Utf8ToCp1252(utf8) == bytes, "Windows-1252 text changed on the round trip");
  Require(korvanta::IsUtf8(utf8), "the UTF-8 form is not valid UTF-8");
  if (!HasHighByte(bytes))
    Require(utf8 == bytes, "ASCII text changed");

  // Any bytes read as UTF-8: one byte per character or malformed piece, and
  // the result is a fixed point of the round trip.
  const std::string cp1252 = korvanta::Utf8ToCp1252(bytes);
  Require(cp1252.size() <= bytes.size(), "more Windows-1252 bytes than UTF-8 bytes");
  Require(korvanta::Utf8ToCp1252(korvanta::Cp1252ToUtf8(cp1252)) == cp1252,
          "converted text changed on the round trip");
  // Valid UTF-8 without any "?" going in and none coming out had a form for
  // every character, so it comes back whole.
  if (korvanta::IsUtf8(bytes) && cp1252.find('?') == std::string::npos)
    Require(korvanta::Cp1252ToUtf8(cp1252) == bytes, "UTF-8 text changed on the round trip");

  const std::string input = korvanta::InputToUtf8(bytes);
  Require(korvanta::IsUtf8(input), "decoded input is not valid UTF-8");
  if (!korvanta::IsUtf8(bytes)) {
    Require(input == utf8, "non-UTF-8 input was not read as Windows-1252");
  } else {
    const std::string_view bom = "\xEF\xBB\xBF";
    const std::string_view text = bytes.starts_with(bom) ? bytes.substr(bom.size()) : bytes;
    Require(input == text, "UTF-8 input was changed");
  }
  return 0;
}

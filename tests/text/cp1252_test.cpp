#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <utility>

#include "text/cp1252.hpp"

namespace korvanta {
namespace {

// The degree sign of the core's UTF-8 text, and of Windows-1252 input.
#define DEG "\xC2\xB0"
#define CP1252_DEG "\xB0"

TEST(Cp1252Text, ConvertsBothWays) {
  // Pairs that convert into each other exactly, in both directions.
  const std::pair<std::string_view, std::string_view> round_trip[] = {
      {"N51" CP1252_DEG "28'", "N51" DEG "28'"},
      {"\x80", "\xE2\x82\xAC"},
      {"\x8A\x9F\x99", "\xC5\xA0\xC5\xB8\xE2\x84\xA2"},
      {"\x81\x8D\x8F\x90\x9D", "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"},
      {"\xA0\xE9\xFF", "\xC2\xA0\xC3\xA9\xC3\xBF"},
  };
  for (const auto& [cp1252, utf8] : round_trip) {
    EXPECT_EQ(Cp1252ToUtf8(cp1252), utf8);
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252);
  }

  // Characters without a form, C1 controls that 1252 puts other characters
  // on, and malformed sequences all become "?".
  const std::pair<std::string_view, std::string_view> to_cp1252[] = {
      {"\xC5\x81", "?"},              // L with stroke
      {"a\xF0\x9F\x9B\xABz", "a?z"},  // outside the BMP
      {"\xC2\x80", "?"},              // U+0080, not the euro sign
      {"\xE2\x82x", "?x"},            // cut short, then read on
      {"\xC0\xAF", "??"},             // overlong
      {"\xED\xA0\x80", "???"},        // surrogate
      {"A\xE2\x82", "A?"},            // cut off by the end
  };
  for (const auto& [utf8, cp1252] : to_cp1252) {
    EXPECT_EQ(Utf8ToCp1252(utf8), cp1252) << utf8;
  }
}

TEST(Cp1252Text, InputIsDecodedOnce) {
  // Valid UTF-8 stays as it is, without its byte order mark; anything else is
  // Windows-1252. The same route read from either file gives the same text.
  const std::pair<std::string_view, std::string_view> cases[] = {
      {"N51" DEG "28'", "N51" DEG "28'"},
      {"N51" CP1252_DEG "28'", "N51" DEG "28'"},
      {"\xEF\xBB\xBF\xC5\x81\xC3\x93\x44\xC5\xB9 \xE2\x82\xAC",
       "\xC5\x81\xC3\x93\x44\xC5\xB9 \xE2\x82\xAC"},
      {"plain", "plain"},
      // Malformed UTF-8 is Windows-1252 text as it stands, not a string of "?".
      {DEG "\xE9t", "\xC3\x82" DEG "\xC3\xA9t"},
  };
  for (const auto& [bytes, text] : cases) {
    EXPECT_EQ(InputToUtf8(bytes), text) << bytes;
  }
}

#undef DEG
#undef CP1252_DEG

}  // namespace
}  // namespace korvanta

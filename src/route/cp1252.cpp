#include "route/cp1252.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

#include "route/text.hpp"

namespace korvanta {

namespace {

// Code points of the bytes 0x80-0x9F. The five bytes Windows-1252 leaves
// unassigned (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand for the C1 control of the
// same number.
constexpr std::array<char32_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80-87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88-8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90-97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98-9F
};

constexpr char kNoForm = '?';

char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) {
    return kHighControls[byte - 0x80];
  }
  return byte;
}

// The Windows-1252 byte of a code point, or "?" when it has none.
char Cp1252Byte(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
    return static_cast<char>(cp);
  }
  for (std::size_t i = 0; i < kHighControls.size(); ++i) {
    if (kHighControls[i] == cp) {
      return static_cast<char>(0x80 + i);
    }
  }
  return kNoForm;
}

// One step of reading UTF-8: a code point, or a malformed sequence, and the
// number of bytes it takes.
struct Utf8Step {
  bool valid = false;
  char32_t code_point = 0;
  std::size_t length = 1;
};

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Reads the sequence at `pos`. A malformed sequence covers the longest start
// of a well-formed one (at least one byte), so that the text after it is read
// as it stands.
Utf8Step ReadUtf8(std::string_view text, std::size_t pos) {
  const auto lead = static_cast<unsigned char>(text[pos]);
  if (lead < 0x80) {
    return {true, lead, 1};
  }
  std::size_t length = 0;
  char32_t cp = 0;
  // The bounds of the second byte exclude overlong forms, surrogates and
  // code points beyond U+10FFFF.
  unsigned char second_min = 0x80;
  unsigned char second_max = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    if (lead == 0xE0) {
      second_min = 0xA0;
    } else if (lead == 0xED) {
      second_max = 0x9F;
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    if (lead == 0xF0) {
      second_min = 0x90;
    } else if (lead == 0xF4) {
      second_max = 0x8F;
    }
  } else {
    return {false, 0, 1};
  }
  std::size_t i = 1;
  for (; i < length && pos + i < text.size(); ++i) {
    const auto byte = static_cast<unsigned char>(text[pos + i]);
    const bool in_range = i == 1 ? byte >= second_min && byte <= second_max : IsContinuation(byte);
    if (!in_range) {
      return {false, 0, i};
    }
    cp = (cp << 6) | (byte & 0x3F);
  }
  if (i < length) {
    return {false, 0, i};  // cut off at the end of the text
  }
  return {true, cp, length};
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    AppendUtf8(out, CodePointOf(static_cast<unsigned char>(c)));
  }
  return out;
}

std::string Utf8ToCp1252(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t pos = 0; pos < text.size();) {
    const Utf8Step step = ReadUtf8(text, pos);
    out += step.valid ? Cp1252Byte(step.code_point) : kNoForm;
    pos += step.length;
  }
  return out;
}

bool LooksLikeUtf8(std::string_view bytes) {
  bool multi_byte = false;
  for (std::size_t pos = 0; pos < bytes.size();) {
    const Utf8Step step = ReadUtf8(bytes, pos);
    if (!step.valid) {
      return false;
    }
    multi_byte = multi_byte || step.length > 1;
    pos += step.length;
  }
  return multi_byte;
}

std::string InputToCp1252(std::string_view bytes) {
  if (!LooksLikeUtf8(bytes)) {
    return std::string(bytes);
  }
  // A byte order mark at the start is a marker of the encoding, not text.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.substr(0, kByteOrderMark.size()) == kByteOrderMark) {
    bytes.remove_prefix(kByteOrderMark.size());
  }
  return Utf8ToCp1252(bytes);
}

}  // namespace korvanta

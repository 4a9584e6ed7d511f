#include "text/cp1252.hpp"

#include <array>
#include <cstddef>
#include <cstdint>

#include "text/text.hpp"
#include "text/utf8.hpp"

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
    // ASCII is the same in both and nearly all of a route's text: it is
    // copied a run at a time.
    std::size_t ascii_end = pos;
    while (ascii_end < text.size() && static_cast<unsigned char>(text[ascii_end]) < 0x80)
      ++ascii_end;
    out.append(text, pos, ascii_end - pos);
    pos = ascii_end;
    if (pos == text.size())
      break;
    const Utf8Character step = ReadCharacter(text, pos);
    out += step.valid ? Cp1252Byte(step.code_point) : kNoForm;
    pos += step.length;
  }
  return out;
}

bool HasCp1252Form(char32_t code_point) {
  return Cp1252Byte(code_point) != kNoForm || code_point == static_cast<char32_t>(kNoForm);
}

std::string InputToUtf8(std::string_view bytes) {
  if (!IsUtf8(bytes))
    return Cp1252ToUtf8(bytes);
  // A byte order mark at the start is a marker of the encoding, not text.
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (bytes.starts_with(kByteOrderMark))
    bytes.remove_prefix(kByteOrderMark.size());
  return std::string(bytes);
}

}  // namespace korvanta

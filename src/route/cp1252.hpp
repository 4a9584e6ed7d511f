#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// Route text is Windows-1252 bytes throughout the core; the front ends convert
// at the edge with these.

// Every byte to its UTF-8 form. The five bytes Windows-1252 leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, as
// Windows does.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252. A character without a Windows-1252 form, and any
// malformed sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);

// True when the bytes are valid UTF-8 and hold at least one multi-byte sequence.
bool LooksLikeUtf8(std::string_view bytes);

// Input files and standard input: UTF-8 text (by LooksLikeUtf8) is converted,
// anything else is taken as Windows-1252 as it stands.
std::string InputToCp1252(std::string_view bytes);

}  // namespace korvanta

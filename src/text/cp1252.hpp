#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// Text inside the core is UTF-8. Input is decoded into it once, at the edge,
// and a writer of a single-byte format encodes its bytes with these.

// Every byte to its UTF-8 form. The five bytes Windows-1252 leaves unassigned
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the same number, as
// Windows does.
std::string Cp1252ToUtf8(std::string_view text);

// UTF-8 to Windows-1252. A character without a Windows-1252 form, and any
// malformed sequence, becomes "?".
std::string Utf8ToCp1252(std::string_view text);

// Whether the character has a Windows-1252 form (the five unassigned bytes
// included: they stand for their C1 controls).
bool HasCp1252Form(char32_t code_point);

// Route text as it comes in (a file, standard input, the clipboard) to the
// core's UTF-8: valid UTF-8 stays as it is, without a byte order mark at its
// start; anything else is read as Windows-1252.
std::string InputToUtf8(std::string_view bytes);

}  // namespace korvanta

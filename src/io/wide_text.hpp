#pragma once

#include <string>
#include <string_view>

namespace korvanta {

// Windows only (defined in wide_text_windows.cpp). The one way between the program's UTF-8 text and
// the UTF-16 text of the Windows calls (the ...W functions). A malformed sequence becomes U+FFFD in
// either direction, so no text is dropped silently.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);

}  // namespace korvanta

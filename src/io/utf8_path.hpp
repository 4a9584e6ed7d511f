#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace korvanta {

// The one way between UTF-8 text and file paths. A std::string handed to
// std::filesystem::path directly is read in the ANSI code page on Windows, so
// a name such as "IFR ZÜRICH to ..." would come out garbled there; these go
// through char8_t, which every platform reads as UTF-8.
std::filesystem::path PathFromUtf8(std::string_view utf8);

// A path as UTF-8 text, for status lines, messages and settings values.
std::string PathToUtf8(const std::filesystem::path& path);

// A path as UTF-8 text written the way users of this platform write paths
// (backslashes on Windows), for status lines and messages.
std::string ShownPath(const std::filesystem::path& path);

}  // namespace korvanta

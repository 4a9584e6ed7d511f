#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace korvanta {

// How a file system measures the length of a file name.
enum class NameLengthUnit {
  kUtf8Bytes,   // Linux and most POSIX file systems
  kUtf16Units,  // Windows (NTFS, FAT32's long names)
};

struct FileNameLimit {
  NameLengthUnit unit;
  std::size_t max;
};

// The limit names are made to on every platform: 255 bytes of UTF-8. It keeps
// within Windows' 255 UTF-16 units as well (no character takes more units
// than bytes), and it is what the Linux file system under Wine allows, where
// the Windows program also runs; the same route gives the same names on both.
inline constexpr FileNameLimit kFileNameLimit{NameLengthUnit::kUtf8Bytes, 255};

// A file name built from route text (UTF-8): `text` (airport names,
// identifiers) followed by `kept_end` (plan or card number, extension), which
// a shortening keeps whole.
struct RouteFileName {
  std::string text;
  std::string kept_end;
};

// Which characters a name may keep.
enum class NameCharacters {
  // Those Windows-1252 has; any other becomes "_". The old simulators and
  // add-ons open their files through the system's single-byte code page.
  kWindows1252,
  // Every character: the file is opened by a Unicode program (Google Earth).
  kUnicode,
};

// The rule that makes such a name a valid, visible, ordinary file name on
// Windows and on Linux, as UTF-8 text:
// - / \ : * ? " < > |, control characters (C0 and C1), malformed UTF-8 and,
//   under kWindows1252, the characters Windows-1252 lacks become "_";
// - a name that is too long for `limit` loses whole characters from the end
//   of its text (never the kept end);
// - a leading "." (hidden on Linux) and trailing "." and " " (silently
//   dropped by Windows) become "_";
// - a Windows device name (CON, PRN, AUX, NUL, COM0-9, LPT0-9, also with an
//   extension, in any letter case) gets "_" after its stem: "CON_.rte".
// A name that is empty, "." or ".." is refused with RunError.
std::string SafeFileNameText(const RouteFileName& name, FileNameLimit limit,
                             NameCharacters characters = NameCharacters::kWindows1252);

// The rule under the platform's limit, as a path of one component.
std::filesystem::path SafeFileName(std::string_view text, std::string_view kept_end,
                                   NameCharacters characters = NameCharacters::kWindows1252);

}  // namespace korvanta

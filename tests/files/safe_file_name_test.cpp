#include <gtest/gtest.h>

#include <string>

#include "errors/run_error.hpp"
#include "files/safe_file_name.hpp"

namespace korvanta {
namespace {

constexpr FileNameLimit kLinux{NameLengthUnit::kUtf8Bytes, 255};
constexpr FileNameLimit kWindows{NameLengthUnit::kUtf16Units, 255};

std::string Times(std::size_t n, const std::string& piece) {
  std::string out;
  for (std::size_t i = 0; i < n; ++i)
    out += piece;
  return out;
}

const std::string kEuro = "\xE2\x82\xAC";  // three bytes, one UTF-16 unit
const std::string kUmlaut = "\xC3\x9C";    // "Ü", two bytes
const std::string kLodz =
    "\xC5\x81\xC3\x93\x44\xC5\xB9";               // "ŁÓDŹ": Ł and Ź are not in Windows-1252
const std::string kDoubleA = "\xF0\x9D\x94\xB8";  // beyond the BMP: two UTF-16 units

struct Case {
  std::string text, kept_end;
  FileNameLimit limit;
  std::string expected;
  NameCharacters characters = NameCharacters::kWindows1252;
};

void ExpectNames(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(SafeFileNameText({c.text, c.kept_end}, c.limit, c.characters), c.expected)
        << "\"" << c.text << "\" + \"" << c.kept_end << "\"";
  }
}

TEST(SafeFileName, CharactersNoFileSystemTakesBecomeUnderscores) {
  ExpectNames({
      {"IFR A to B", ".pln", kLinux, "IFR A to B.pln"},
      {"../../etc/passwd", "", kLinux, "_._.._etc_passwd"},
      {"a\\b:c*d?e\"f<g>h|i", ".kml", kLinux, "a_b_c_d_e_f_g_h_i.kml"},
      {"tab\there\x7F", ".kml", kLinux, "tab_here_.kml"},
      // The C1 controls of the five bytes Windows-1252 leaves without a
      // character, between characters it has.
      {kEuro + "\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D\xC5\xB8", ".kml", kLinux,
       kEuro + "_____\xC5\xB8.kml"},
      {"Z" + kUmlaut + "RICH", ".pln", kLinux, "Z" + kUmlaut + "RICH.pln"},
      // Letters Windows-1252 lacks, for the old simulators and for Google Earth.
      {"IFR " + kLodz, ".pln", kLinux, "IFR _\xC3\x93\x44_.pln"},
      {kLodz, ".kml", kLinux, kLodz + ".kml", NameCharacters::kUnicode},
      {"A\xC5", "\xFF.kml", kLinux, "A__.kml", NameCharacters::kUnicode},  // not UTF-8
  });
}

TEST(SafeFileName, WindowsDeviceNamesGetAnUnderscoreAfterTheStem) {
  ExpectNames({
      {"CON", ".rte", kLinux, "CON_.rte"},
      {"con.tar", ".gz", kLinux, "con_.tar.gz"},
      {"com1", ".fms", kLinux, "com1_.fms"},
      {"Lpt9", "", kLinux, "Lpt9_"},
      {"nUl", "", kWindows, "nUl_"},
      {"PRN ", ".rte", kLinux, "PRN _.rte"},  // Windows ignores the blanks before the dot
      {"AUX", ".kml", kLinux, "AUX_.kml"},
      {"COM\xC2\xB9", ".rte", kLinux, "COM\xC2\xB9_.rte"},  // superscript one counts as a digit
      {"COM0", ".rts", kLinux, "COM0_.rts"},
      {"lpt0", "", kLinux, "lpt0_"},
      // Not device names.
      {"AUX-PRN", ".kml", kLinux, "AUX-PRN.kml"},
      {"COM10", ".fms", kLinux, "COM10.fms"},
      {"CONSOLE", ".rte", kLinux, "CONSOLE.rte"},
      {"XCON", ".rte", kLinux, "XCON.rte"},
      {"LPT", "", kLinux, "LPT"},
      {"EAAA-CON", "001.rte", kLinux, "EAAA-CON001.rte"},
  });
}

TEST(SafeFileName, NoHiddenNameAndNoEndWindowsWouldDrop) {
  ExpectNames({
      {".hidden", ".kml", kLinux, "_hidden.kml"},
      {"", ".rts", kLinux, "_rts"},
      {"name.", "", kLinux, "name_"},
      {"name. .", "", kWindows, "name___"},
      {"IFR A to B ", ".pln", kLinux, "IFR A to B .pln"},  // blanks inside stay
  });
  for (const auto& [text, end] : {std::pair{"", ""}, {".", ""}, {"", ".."}, {".", "."}}) {
    EXPECT_THROW(SafeFileNameText({text, end}, kLinux), RunError) << text << end;
  }
}

TEST(SafeFileName, LongNamesLoseWholeCharactersOfTheirText) {
  constexpr FileNameLimit kTenBytes{NameLengthUnit::kUtf8Bytes, 10};
  constexpr FileNameLimit kElevenBytes{NameLengthUnit::kUtf8Bytes, 11};
  constexpr FileNameLimit kTenUnits{NameLengthUnit::kUtf16Units, 10};
  ExpectNames({
      // Six bytes left for the text: exactly two euro signs.
      {Times(4, kEuro), ".kml", kTenBytes, Times(2, kEuro) + ".kml"},
      // Seven bytes left: the third euro sign would be cut inside; it goes whole.
      {Times(4, kEuro), ".kml", kElevenBytes, Times(2, kEuro) + ".kml"},
      {"A" + Times(4, kEuro), ".kml", kElevenBytes, "A" + Times(2, kEuro) + ".kml"},
      {Times(4, kUmlaut), ".kml", kElevenBytes, Times(3, kUmlaut) + ".kml"},
      // Windows counts characters here: all four fit.
      {Times(4, kEuro), ".kml", kTenUnits, Times(4, kEuro) + ".kml"},
      {Times(7, kEuro), ".kml", kTenUnits, Times(6, kEuro) + ".kml"},
      // A character beyond the BMP takes two units there.
      {Times(4, kDoubleA), ".kml", kTenUnits, Times(3, kDoubleA) + ".kml",
       NameCharacters::kUnicode},
      // The plan number stays with the extension.
      {"EAAAEBBB", "001.rte", kTenBytes, "EAA001.rte"},
      // A cut that leaves a blank at the end of a name without extension.
      {"ABCDEFGHI J", "", kTenBytes, "ABCDEFGHI_"},
      // An end that leaves no room is cut like the rest, also one that fills
      // the limit exactly.
      {"AB", "CDEFGHIJKLMN", kTenBytes, "ABCDEFGHIJ"},
      {"AB", "0123456789", kTenBytes, "AB01234567"},
      // The device mark still fits.
      {"CON", ".1234567", kElevenBytes, "CO.1234567"},
  });
  // The real limits: 120 euro signs are 360 bytes but 120 UTF-16 units.
  const std::string long_name = "IFR " + Times(120, kEuro) + " to B";
  EXPECT_EQ(SafeFileNameText({long_name, ".pln"}, kLinux),
            "IFR " + Times(82, kEuro) + ".pln");  // 4 + 246 + 4 bytes
  EXPECT_EQ(SafeFileNameText({long_name, ".pln"}, kWindows),
            "IFR " + Times(120, kEuro) + " to B.pln");
  EXPECT_EQ(SafeFileNameText({Times(300, "A"), "001.rte"}, kWindows), Times(248, "A") + "001.rte");
}

}  // namespace
}  // namespace korvanta

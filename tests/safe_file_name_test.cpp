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

const std::string kEuro = "\x80";              // Windows-1252
const std::string kEuroUtf8 = "\xE2\x82\xAC";  // three bytes, one UTF-16 unit
const std::string kUmlautUtf8 = "\xC3\x9C";    // "Ü" (0xDC), two bytes

struct Case {
  std::string text, kept_end;
  FileNameLimit limit;
  std::string expected;  // UTF-8
};

void ExpectNames(const std::vector<Case>& cases) {
  for (const Case& c : cases) {
    EXPECT_EQ(SafeFileNameText({c.text, c.kept_end}, c.limit), c.expected)
        << "\"" << c.text << "\" + \"" << c.kept_end << "\"";
  }
}

TEST(SafeFileName, CharactersNoFileSystemTakesBecomeUnderscores) {
  ExpectNames({
      {"IFR A to B", ".pln", kLinux, "IFR A to B.pln"},
      {"../../etc/passwd", "", kLinux, "_._.._etc_passwd"},
      {"a\\b:c*d?e\"f<g>h|i", ".kml", kLinux, "a_b_c_d_e_f_g_h_i.kml"},
      {"tab\there\x7F", ".kml", kLinux, "tab_here_.kml"},
      // The five bytes without a character, between ones that have one.
      {"\x80\x81\x8D\x8F\x90\x9D\x9F", ".kml", kLinux, kEuroUtf8 + "_____\xC5\xB8.kml"},
      {"Z\xDCRICH", ".pln", kLinux, "Z" + kUmlautUtf8 + "RICH.pln"},
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
      {"COM\xB9", ".rte", kLinux, "COM\xC2\xB9_.rte"},  // superscript one counts as a digit
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
      {Times(4, kEuro), ".kml", kTenBytes, Times(2, kEuroUtf8) + ".kml"},
      // Seven bytes left: the third euro sign would be cut inside; it goes whole.
      {Times(4, kEuro), ".kml", kElevenBytes, Times(2, kEuroUtf8) + ".kml"},
      {"A" + Times(4, kEuro), ".kml", kElevenBytes, "A" + Times(2, kEuroUtf8) + ".kml"},
      {"\xDC\xDC\xDC\xDC", ".kml", kElevenBytes, Times(3, kUmlautUtf8) + ".kml"},
      // Windows counts characters here: all four fit.
      {Times(4, kEuro), ".kml", kTenUnits, Times(4, kEuroUtf8) + ".kml"},
      {Times(7, kEuro), ".kml", kTenUnits, Times(6, kEuroUtf8) + ".kml"},
      // The plan number stays with the extension.
      {"EAAAEBBB", "001.rte", kTenBytes, "EAA001.rte"},
      // A cut that leaves a blank at the end of a name without extension.
      {"ABCDEFGHI J", "", kTenBytes, "ABCDEFGHI_"},
      // An end that leaves no room is cut like the rest.
      {"AB", "CDEFGHIJKLMN", kTenBytes, "ABCDEFGHIJ"},
      // The device mark still fits.
      {"CON", ".1234567", kElevenBytes, "CO.1234567"},
  });
  // The real limits: 120 euro signs are 360 bytes but 120 UTF-16 units.
  const std::string long_name = "IFR " + Times(120, kEuro) + " to B";
  EXPECT_EQ(SafeFileNameText({long_name, ".pln"}, kLinux),
            "IFR " + Times(82, kEuroUtf8) + ".pln");  // 4 + 246 + 4 bytes
  EXPECT_EQ(SafeFileNameText({long_name, ".pln"}, kWindows),
            "IFR " + Times(120, kEuroUtf8) + " to B.pln");
  EXPECT_EQ(SafeFileNameText({Times(300, "A"), "001.rte"}, kWindows), Times(248, "A") + "001.rte");
}

}  // namespace
}  // namespace korvanta

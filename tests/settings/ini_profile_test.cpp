#include "settings/ini_profile.hpp"

#include <gtest/gtest.h>

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "errors/run_error.hpp"
#include "test_support.hpp"

#ifndef _WIN32
#include <unistd.h>
#endif

namespace korvanta {
namespace {

using test::ReadFile;
using test::TempDir;
using test::WriteFile;

struct LookupCase {
  const char* name;
  std::string_view text;
  std::string_view section;
  std::string_view key;
  std::optional<std::string> expected;
};

TEST(IniLookup, FindsKeysAsTheProfileFunctionsDo) {
  const LookupCase cases[] = {
      {"LF lines", "[Main]\nPLNFolder=D:\\Plans\n", "Main", "PLNFolder", "D:\\Plans"},
      {"CR LF lines", "[Main]\r\nPLNFolder=D:\\Plans\r\n", "Main", "PLNFolder", "D:\\Plans"},
      {"names in any case", "[mAIN]\r\nplnfolder=x\r\n", "Main", "PLNFolder", "x"},
      {"blanks around names and value", " [ Main ] \r\n  PLNFolder  =  D:\\My Plans \t\r\n", "Main",
       "PLNFolder", "D:\\My Plans"},
      {"value holding =", "[Main]\na=b=c\n", "Main", "a", "b=c"},
      {"empty value is a value", "[Main]\nPLNFolder=\n", "Main", "PLNFolder", ""},
      {"UTF-8 mark before the first section", "\xEF\xBB\xBF[Main]\nk=v\n", "Main", "k", "v"},
      {"first key wins", "[Main]\nk=1\nk=2\n", "Main", "k", "1"},
      {"first section wins", "[Main]\nk=1\n[Main]\nk=2\n", "Main", "k", "1"},
      {"only the first section of a name is read", "[Main]\na=1\n[MAIN]\nk=2\n", "Main", "k",
       std::nullopt},
      {"section Main absent", "[TForm1]\nPLNFolder=x\n", "Main", "PLNFolder", std::nullopt},
      {"key missing", "[Main]\nIFGFolder=x\n", "Main", "PLNFolder", std::nullopt},
      {"commented out", "[Main]\n;PLNFolder=x\n  ; PLNFolder=y\n", "Main", "PLNFolder",
       std::nullopt},
      {"key before any section", "PLNFolder=x\n[Main]\n", "Main", "PLNFolder", std::nullopt},
      {"line without =", "[Main]\nPLNFolder\n", "Main", "PLNFolder", std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniLookup(c.text, c.section, c.key), c.expected) << c.name;
  }
}

struct UpdateCase {
  const char* name;
  std::string_view text;
  std::string_view section;
  std::string_view key;
  std::string_view value;
  std::string_view expected;
};

TEST(IniUpdate, ChangesOnlyTheKeyLine) {
  const UpdateCase cases[] = {
      {"in place, spelling and blanks kept", "[tform1]\r\n  checkbox1_checked = False  \r\n",
       "TForm1", "CheckBox1_Checked", "True", "[tform1]\r\n  checkbox1_checked = True  \r\n"},
      {"empty value replaced", "[S]\nk=\nj=1\n", "S", "k", "v", "[S]\nk=v\nj=1\n"},
      {"first of two sections", "[S]\nk=1\n[S]\nk=2\n", "S", "k", "9", "[S]\nk=9\n[S]\nk=2\n"},
      {"new key after the last filled line", "[A]\r\nx=1\r\n\r\n[B]\r\ny=2\r\n", "A", "k", "v",
       "[A]\r\nx=1\r\nk=v\r\n\r\n[B]\r\ny=2\r\n"},
      {"comment is a filled line", "[A]\nx=1\n; end of A\n\n[B]\n", "A", "k", "v",
       "[A]\nx=1\n; end of A\nk=v\n\n[B]\n"},
      {"empty section", "[A]\n\n[B]\n", "A", "k", "v", "[A]\nk=v\n\n[B]\n"},
      {"last section without final line end", "[A]\nx=1", "A", "k", "v", "[A]\nx=1\nk=v\n"},
      {"new section, LF file", "[A]\nx=1", "B", "k", "v", "[A]\nx=1\n[B]\nk=v\n"},
      {"new section, CR LF file", "[A]\r\nx=1\r\n\r\n", "B", "k", "v",
       "[A]\r\nx=1\r\n\r\n[B]\r\nk=v\r\n"},
      {"new file", "", "TForm1", "RadioGroup1_ItemIndex", "1",
       "[TForm1]\r\nRadioGroup1_ItemIndex=1\r\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(IniUpdate(c.text, c.section, c.key, c.value), c.expected) << c.name;
  }
}

struct RemoveCase {
  const char* name;
  std::string_view text;
  std::string_view expected;
};

// Removing "PLNFolder" from section "Main": afterwards the key reads as missing.
TEST(IniRemove, TakesEveryLineOfTheKeyFromTheSectionRead) {
  const RemoveCase cases[] = {
      {"one line, spelling and blanks aside", "[main]\r\n  plnfolder = D:\\P\r\nX=1\r\n",
       "[main]\r\nX=1\r\n"},
      {"every line of it", "\xEF\xBB\xBF[Main]\nPLNFolder=a\nX=1\nPLNFolder=b\n",
       "\xEF\xBB\xBF[Main]\nX=1\n"},
      {"last line without line end", "[Main]\nX=1\nPLNFolder=a", "[Main]\nX=1\n"},
      {"other sections and comments stay",
       "[TForm1]\nPLNFolder=t\n[Main]\n;PLNFolder=c\nPLNFolder=a\n[Main]\nPLNFolder=b\n",
       "[TForm1]\nPLNFolder=t\n[Main]\n;PLNFolder=c\n[Main]\nPLNFolder=b\n"},
      {"missing key", "[Main]\nX=1", "[Main]\nX=1"},
  };
  for (const auto& c : cases) {
    const std::string removed = IniRemove(c.text, "Main", "PLNFolder");
    EXPECT_EQ(removed, c.expected) << c.name;
    EXPECT_EQ(IniLookup(removed, "Main", "PLNFolder"), std::nullopt) << c.name;
  }
}

// A settings file as a user keeps it: notes, the folder keys and the window's
// saved state.
constexpr std::string_view kUserFile =
    "; Korvanta settings\r\n"
    "[Main]\r\n"
    "PLNFolder=D:\\FS Plans\r\n"
    ";PMDGFolder=D:\\PMDG\r\n"
    "\r\n"
    "[TForm1]\r\n"
    "CheckBox1_Checked=False\r\n"
    "RxSpinEdit1_Value=661\r\n"
    "\r\n"
    "[Viewer]\r\n"
    "; another program's keys\r\n"
    "Zoom=2\r\n";

TEST(IniProfile, WriteKeepsEveryOtherByte) {
  TempDir dir;
  const IniProfile profile(dir / "korvanta.ini");
  WriteFile(profile.File(), std::string(kUserFile));

  profile.Write("TForm1", "RxSpinEdit1_Value", "1234");
  profile.Write("tform1", "CheckBox4_Checked", "True");
  const std::string expected =
      "; Korvanta settings\r\n"
      "[Main]\r\n"
      "PLNFolder=D:\\FS Plans\r\n"
      ";PMDGFolder=D:\\PMDG\r\n"
      "\r\n"
      "[TForm1]\r\n"
      "CheckBox1_Checked=False\r\n"
      "RxSpinEdit1_Value=1234\r\n"
      "CheckBox4_Checked=True\r\n"
      "\r\n"
      "[Viewer]\r\n"
      "; another program's keys\r\n"
      "Zoom=2\r\n";
  EXPECT_EQ(ReadFile(profile.File()), expected);

  profile.Write("TForm1", "RxSpinEdit1_Value", "1234");
  profile.Write("tform1", "CheckBox4_Checked", "True");
  EXPECT_EQ(ReadFile(profile.File()), expected);

  EXPECT_EQ(profile.Read("main", "plnfolder", "nic"), "D:\\FS Plans");
  EXPECT_EQ(profile.Read("Main", "PMDGFolder", "nic"), "nic");
  EXPECT_EQ(profile.Read("TForm1", "CheckBox4_Checked", "False"), "True");

  // The same two keys in one write of the file give the same bytes.
  WriteFile(profile.File(), std::string(kUserFile));
  profile.Write("TForm1", {{"RxSpinEdit1_Value", "1234"}, {"CheckBox4_Checked", "True"}});
  EXPECT_EQ(ReadFile(profile.File()), expected);
}

TEST(IniProfile, MissingFileReadsDefaultsAndIsCreatedOnWrite) {
  TempDir dir;
  const IniProfile profile(dir / "korvanta.ini");
  EXPECT_EQ(profile.Read("Main", "PLNFolder", "nic"), "nic");

  profile.Write("TForm1", "CheckBox1_Checked", "True");
  profile.Write("TForm1", "RadioGroup1_ItemIndex", "2");
  EXPECT_EQ(ReadFile(profile.File()),
            "[TForm1]\r\nCheckBox1_Checked=True\r\nRadioGroup1_ItemIndex=2\r\n");
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

TEST(IniProfile, FailedWriteLeavesTheFolderAsItWas) {
  TempDir dir;
  const auto target = dir / "korvanta.ini";
  std::filesystem::create_directory(target);
  try {
    IniProfile(target).Write("TForm1", "k", "v");
    FAIL() << "no error for a folder in the file's place";
  } catch (const RunError& e) {
    EXPECT_NE(std::string(e.what()).find(target.string()), std::string::npos) << e.what();
  }
  EXPECT_TRUE(std::filesystem::is_directory(target));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.path()), {}), 1);
}

#ifndef _WIN32
TEST(IniProfile, FailedWriteInReadOnlyFolderKeepsTheOldFile) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "permissions do not stop the superuser";
  TempDir dir;
  const auto folder = dir / "ro";
  const IniProfile profile(folder / "korvanta.ini");
  WriteFile(profile.File(), std::string(kUserFile));
  namespace fs = std::filesystem;
  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::remove);

  EXPECT_THROW(profile.Write("TForm1", "CheckBox1_Checked", "True"), RunError);

  fs::permissions(folder, fs::perms::owner_write, fs::perm_options::add);
  EXPECT_EQ(ReadFile(profile.File()), kUserFile);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 1);
}
#endif

}  // namespace
}  // namespace korvanta

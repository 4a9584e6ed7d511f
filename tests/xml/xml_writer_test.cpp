#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "errors/run_error.hpp"
#include "xml/xml_writer.hpp"

namespace korvanta {
namespace {

using Lines = std::vector<std::string>;

void BuildFolder(XmlDocument& xml) {
  xml.OpenTag("Folder");
  xml.ValueTag("name", "EGLL-LFPG");
  xml.ValueTag("open", "1");
  xml.OpenTag("Placemark");
  xml.ValueTag("name", "EGLL");
  xml.CloseTag();
  xml.CloseTag();
}

const Lines kFolderLines = {
    "<Folder>",        "    <name>EGLL-LFPG</name>", "    <open>1</open>",
    "    <Placemark>", "        <name>EGLL</name>",  "    </Placemark>",
    "</Folder>",
};

TEST(XmlDocument, IndentsTheWorkedExample) {
  XmlDocument xml;
  BuildFolder(xml);
  EXPECT_EQ(xml.Lines(), kFolderLines);
  EXPECT_EQ(xml.Text(),
            "<Folder>\r\n    <name>EGLL-LFPG</name>\r\n    <open>1</open>\r\n    <Placemark>\r\n"
            "        <name>EGLL</name>\r\n    </Placemark>\r\n</Folder>\r\n");
}

TEST(XmlDocument, EveryDocumentStartsAfresh) {
  XmlDocument xml;
  xml.AddLine("head");
  BuildFolder(xml);
  // An unbalanced document in between: three elements left open.
  xml.XmlBeginDocument();
  xml.OpenTag("a");
  xml.OpenTag("b");
  xml.ValueTag("c", "1");
  xml.OpenTag("d");
  xml.XmlBeginDocument();
  BuildFolder(xml);
  EXPECT_EQ(xml.Lines(), kFolderLines);
}

TEST(XmlDocument, ClosingTagsAndTheValueFlag) {
  XmlDocument xml;
  xml.OpenTag(R"(SimBase.Document Type="AceXML" version="1,0")");
  xml.OpenTag("LookAt");
  xml.ValueTag("gx:altitudeMode", "relativeToSeaFloor");
  xml.CloseTag();
  // Closed right after it was opened: its closing tag lands one level to the
  // left; the next sibling is back at the right level.
  xml.OpenTag("Empty");
  xml.CloseTag();
  xml.ValueTag("after", "x");
  xml.CloseTag();
  EXPECT_EQ(xml.Lines(), (Lines{
                             R"(<SimBase.Document Type="AceXML" version="1,0">)",
                             "    <LookAt>",
                             "        <gx:altitudeMode>relativeToSeaFloor</gx:altitudeMode>",
                             "    </LookAt>",
                             "    <Empty>",
                             "</Empty>",
                             "    <after>x</after>",
                             "</SimBase.Document>",
                         }));
}

TEST(XmlDocument, EscapeTable) {
  struct Case {
    std::string in, text, attribute;
  };
  const std::vector<Case> cases = {
      {"", "", ""},
      {"plain ASCII 0-9 'x'", "plain ASCII 0-9 'x'", "plain ASCII 0-9 'x'"},
      {"&&", "&amp;&amp;", "&amp;&amp;"},
      {"&amp;", "&amp;amp;", "&amp;amp;"},
      {"a<b>c", "a&lt;b&gt;c", "a&lt;b&gt;c"},
      {"\"q\"", "\"q\"", "&quot;q&quot;"},
      {"tab\there", "tab\there", "tab\there"},
      {std::string("nul\0x", 5), "nul?x", "nul?x"},
      {"cr\rlf\n\x1F", "cr?lf??", "cr?lf??"},
      {"Z\xC3\xBCrich \xE2\x82\xAC", "Z\xC3\xBCrich \xE2\x82\xAC", "Z\xC3\xBCrich \xE2\x82\xAC"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(XmlEscapeText(c.in), c.text) << c.in;
    EXPECT_EQ(XmlEscapeAttribute(c.in), c.attribute) << c.in;
  }
}

TEST(XmlDocument, NestsDeeperThanSixtyFourElements) {
  constexpr int kDepth = 100;
  XmlDocument xml;
  for (int i = 0; i < kDepth; ++i)
    xml.OpenTag("e" + std::to_string(i));
  xml.ValueTag("v", "1");
  for (int i = 0; i < kDepth; ++i)
    xml.CloseTag();
  const Lines& lines = xml.Lines();
  ASSERT_EQ(lines.size(), 2u * kDepth + 1);
  EXPECT_EQ(lines[kDepth - 1], std::string(4 * (kDepth - 1), ' ') + "<e99>");
  EXPECT_EQ(lines[kDepth], std::string(4 * kDepth, ' ') + "<v>1</v>");
  EXPECT_EQ(lines[kDepth + 1], std::string(4 * (kDepth - 1), ' ') + "</e99>");
  EXPECT_EQ(lines.back(), "</e0>");
}

TEST(XmlDocument, ClosingWithNothingOpenIsAnError) {
  XmlDocument xml;
  xml.OpenTag("a");
  xml.CloseTag();
  EXPECT_THROW(xml.CloseTag(), RunError);
}

}  // namespace
}  // namespace korvanta

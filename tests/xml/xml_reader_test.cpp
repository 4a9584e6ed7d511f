#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "xml/xml_reader.hpp"

namespace korvanta {
namespace {

// A tree on one line: name{attribute=value;...}"text"[child child], the parts
// that are empty left out.
std::string Outline(const XmlElement& element) {
  std::string out(element.name);
  if (const auto attributes = element.Attributes(); !attributes.empty()) {
    out += '{';
    for (const auto& [name, value] : attributes)
      out += std::string(name) + "=" + std::string(value) + ";";
    out.back() = '}';
  }
  if (!element.text.empty())
    out += "\"" + std::string(element.text) + "\"";
  if (const auto children = element.Children(); !children.empty()) {
    out += '[';
    for (const XmlElement& child : children)
      out += Outline(child) + " ";
    out.back() = ']';
  }
  return out;
}

// The outline of a document that reads; the reason when it does not.
std::string OutlineOf(const std::variant<XmlTree, XmlReadError>& result) {
  if (const auto* error = std::get_if<XmlReadError>(&result))
    return "error: " + error->reason;
  return Outline(std::get<XmlTree>(result).Root());
}

std::string Repeated(std::string_view text, int count) {
  std::string out;
  for (int i = 0; i < count; ++i)
    out += text;
  return out;
}

std::string Nested(int depth) {
  return Repeated("<a>", depth) + Repeated("</a>", depth);
}

struct GoodCase {
  std::string_view document;
  std::string_view outline;
};

const GoodCase kGoodCases[] = {
    // The prolog and epilog hold nothing of the tree; a DOCTYPE's internal
    // subset may hide "]" and ">" in quotes and comments.
    {"\xEF\xBB\xBF \r\n<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n"
     "<!DOCTYPE plan SYSTEM \"a>b.dtd\" [\r\n  <!ENTITY e \"]>\"> <!-- ]> --> <?pi ]>?>\r\n]>\r\n"
     "<!-- head -->\r\n<plan kind='IFR' note=\"a'b\">\r\n  <leg id=\"1\"/>\r\n</plan>\r\n"
     "<!-- tail --> <?done?>\r\n",
     "plan{kind=IFR;note=a'b}\"\n  \n\"[leg{id=1}]"},
    {"<a  x = \"1\"\ty='2' ></a >", "a{x=1;y=2}"},
    {"<gx:alt.mode-2 \xC3\xA9=\"1\"/>", "gx:alt.mode-2{\xC3\xA9=1}"},
    // Character data: CDATA kept as written, references resolved, line ends
    // made LF, the pieces around child elements and comments joined.
    {"<a>x<b/>&lt;<![CDATA[<&amp;]]]]><!-- c -->&amp;&gt;&quot;&apos;<?p?>y</a>",
     "a\"x<<&amp;]]&>\"'y\"[b]"},
    {"<a>1\r\n2\r3\n</a>", "a\"1\n2\n3\n\""},
    // Each element's own text, joined around its children's.
    {"<a>1<b>2<c>3</c>4</b>5<d/>6</a>", "a\"156\"[b\"24\"[c\"3\"] d]"},
    {"<a>&#65;&#x42;&#xe9;&#x20AC;&#x1F600;&#0000066;</a>",
     "a\"AB\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\x42\""},
    // Attribute values: references resolved, literal tabs and line ends one
    // blank each, a tab by reference kept.
    {"<a x=\"1&#9;2\t3\r\n4\n5&amp;&lt;&#x3E;\" y='\"'/>", "a{x=1\t2 3 4 5&<>;y=\"}"},
};

TEST(ReadXml, ReadsWellFormedDocuments) {
  for (const GoodCase& good : kGoodCases) {
    EXPECT_EQ(OutlineOf(ReadXml(good.document)), good.outline) << good.document;
  }
}

struct BadCase {
  std::string document;
  XmlReadError error;
};

const BadCase kBadCases[] = {
    {"", {"the document holds no element", 1}},
    {" <!-- only a comment -->\n", {"the document holds no element", 2}},
    {"<a>\n<b>\n</a>", {"the closing tag </a> does not match <b>", 3}},
    {"<a>\n<b>", {"the element <b> is not closed", 2}},
    {"</a>", {"the closing tag </a> closes no element", 1}},
    {"<a></ a>", {"a malformed closing tag </>", 1}},
    {"<a/>\n<b/>", {"a second root element <b>", 2}},
    {"<a/>\r\rtext", {"text after the root element", 3}},
    {"route <a/>", {"text before the root element", 1}},
    {"<a><![CDATA[x]]></a><![CDATA[y]]>", {"a CDATA section outside the root element", 1}},
    {"<a>1 < 2</a>", {"a \"<\" that starts no tag (\"&lt;\" writes one)", 1}},
    {"<a\n", {"the tag <a> is not finished", 1}},
    {"<a x=\"1\"y=\"2\"/>", {"the tag <a> is malformed", 1}},
    {"<a x/>", {"the attribute x of <a> has no value", 1}},
    {"<a x=1/>", {"the attribute x of <a> has no quoted value", 1}},
    {"<a x='1/>", {"the attribute x of <a> is not closed", 1}},
    {"<a\nx=\"\n<\"/>", {"\"<\" in the value of the attribute x of <a>", 3}},
    {"<a y='1' x=\"1\" y=\"2\"/>", {"the attribute y of <a> is given twice", 1}},
    {"<a x='1' x='2'/>", {"the attribute x of <a> is given twice", 1}},
    // CR LF ends one line, not two.
    {"<a>\r\n<b>\r\n</a>", {"the closing tag </a> does not match <b>", 3}},
    {"<a\r\nx='1'>\r\n\r\n&e;</a>", {"the entity &e; is unknown", 4}},
    {"<a>AT&T</a>", {"an \"&\" that starts no reference (\"&amp;\" writes one)", 1}},
    {"<a>&#;</a>", {"a character reference without its digits or \";\"", 1}},
    {"<a>&#x41</a>", {"a character reference without its digits or \";\"", 1}},
    {"<a>&#0;</a>", {"the character reference &#0; names no character XML allows", 1}},
    {"<a x='&#xD800;'/>", {"the character reference &#xD800; names no character XML allows", 1}},
    {"<a>&#x110000;</a>", {"the character reference &#x110000; names no character XML allows", 1}},
    {"<a>&#99999999999999999999;</a>",
     {"the character reference &#99999999999999999999; names no character XML allows", 1}},
    // No DTD is read, so its entities stay unknown.
    {"<!DOCTYPE a [<!ENTITY e \"x\">]>\n<a>&e;</a>", {"the entity &e; is unknown", 2}},
    {"<!DOCTYPE a [\n<!ENTITY e \"]>\">", {"the DOCTYPE is not closed", 1}},
    {"<a/><!DOCTYPE a>", {"a DOCTYPE after the first element", 1}},
    {"<a><!ELEMENT a ANY></a>", {"unknown markup \"<!\"", 1}},
    {"<a>\n<!-- x --</a>", {"the comment is not closed", 2}},
    {"<a><?p ?</a>", {"the processing instruction is not closed", 1}},
    {"<a><![CDATA[x]]</a>", {"the CDATA section is not closed", 1}},
    {"<" + std::string(50, 'n') + ">",
     {"the element <" + std::string(40, 'n') + "...> is not closed", 1}},
    {Nested(kXmlMaxDepth + 1), {"elements nested deeper than 256 levels", 1}},
    {Repeated("<a>", kXmlMaxDepth) + "<b/>", {"elements nested deeper than 256 levels", 1}},
    // Text not valid in the document's encoding, and encodings that are not read.
    {"<a>\n<b>A\xFF"
     "B</b></a>",
     {"the text is not valid UTF-8", 2}},
    {"<?xml version='1.0' encoding='utf-8'?>\n\n<a>\xC3</a>", {"the text is not valid UTF-8", 3}},
    {std::string("\xFF\xFE<\0a\0>\0\n\0\x00\xD8<\0", 14), {"the text is not valid UTF-16", 2}},
    {std::string("\xFE\xFF\0<\0a\0", 7), {"the text is not valid UTF-16", 1}},
    {"<?xml version=\"1.0\" encoding=\"Shift_JIS\"?><a/>",
     {"the document is in Shift_JIS, which is not read (UTF-8, UTF-16 with a byte-order mark, "
      "windows-1252 and ISO-8859-1 are)",
      1}},
    {"<?xml version=\"1.0\" encoding=\"UTF-16\"?><a/>",
     {"the document is in UTF-16, which is not read (UTF-8, UTF-16 with a byte-order mark, "
      "windows-1252 and ISO-8859-1 are)",
      1}},
};

// The encodings read give the same UTF-8 text.
TEST(ReadXml, ReadsEveryEncodingItNames) {
  const std::pair<std::string, std::string> cases[] = {
      {"\xEF\xBB\xBF<a>Z\xC3\xBCrich</a>", "Z\xC3\xBCrich"},
      {std::string("\xFF\xFE<\0a\0>\0Z\0\xFC\0=\xD8\x00\xDE<\0/\0a\0>\0", 24),
       "Z\xC3\xBC\xF0\x9F\x98\x80"},
      {std::string("\xFE\xFF\0<\0a\0>\0Z\0\xFC\0<\0/\0a\0>", 20), "Z\xC3\xBC"},
      {"<?xml version='1.0' encoding='windows-1252'?><a>Z\xFC\x80</a>", "Z\xC3\xBC\xE2\x82\xAC"},
      {"<?xml version='1.0' encoding='ISO-8859-1'?><a>Z\xFC\x80</a>", "Z\xC3\xBC\xC2\x80"},
  };
  for (const auto& [document, text] : cases) {
    EXPECT_EQ(OutlineOf(ReadXml(document)), "a\"" + text + "\"") << document;
    EXPECT_EQ(XmlRootElementName(document), "a") << document;
  }
}

TEST(ReadXml, RefusesDocumentsThatAreNotWellFormed) {
  for (const BadCase& bad : kBadCases) {
    const auto result = ReadXml(bad.document);
    ASSERT_TRUE(std::holds_alternative<XmlReadError>(result)) << bad.document;
    EXPECT_EQ(std::get<XmlReadError>(result), bad.error) << bad.document;
  }
}

TEST(ReadXml, NestsToTheDepthLimit) {
  EXPECT_TRUE(std::holds_alternative<XmlTree>(ReadXml(Nested(kXmlMaxDepth))));
}

TEST(ReadXml, FindsChildrenAndAttributes) {
  const auto result = ReadXml("<r a='1' b=''><p c='2'>x<s/></p><q/><p>y</p></r>");
  const XmlElement root = std::get<XmlTree>(result).Root();
  EXPECT_EQ(root.Attribute("a"), "1");
  EXPECT_EQ(root.Attribute("c"), "");
  ASSERT_EQ(root.Children("p").size(), 2u);
  EXPECT_EQ(root.Children("p")[1].text, "y");
  EXPECT_EQ(root.Children("p")[1].Attribute("c"), "");
  EXPECT_FALSE(root.Child("s"));
  EXPECT_EQ(root.ChildText("p"), "x");
  EXPECT_EQ(root.ChildText("s"), "");

  // Prefixed names: found by their local name, and by their full name only.
  const auto prefixed = ReadXml("<g:r><g:p>x</g:p><gp>y</gp><h:p>z</h:p></g:r>");
  const XmlElement prefixed_root = std::get<XmlTree>(prefixed).Root();
  EXPECT_EQ(prefixed_root.Children("p").size(), 2u);
  EXPECT_EQ(prefixed_root.ChildText("h:p"), "z");
  EXPECT_FALSE(prefixed_root.Child("g:gp"));
}

// Documents of the largest size a route file may have, in the shapes that a
// reader doing repeated scans or comparisons would stall on (its speed is the
// benchmark's business; here they must read at all).
TEST(ReadXml, ReadsLargeDocuments) {
  constexpr std::size_t kSize = 4u << 20;
  std::string siblings = "<r>";
  std::string attributes = "<r";
  std::string references = "<r>";
  std::string comments = "<r>";
  while (siblings.size() < kSize)
    siblings += "<p i=\"1\">x</p>\n";
  for (int i = 0; attributes.size() < kSize; ++i)
    attributes += " a" + std::to_string(i) + "='&amp;'";
  while (references.size() < kSize)
    references += "&lt;&#x41;\r\n";
  while (comments.size() < kSize)
    comments += "<!---->";
  EXPECT_TRUE(std::holds_alternative<XmlTree>(ReadXml(siblings + "</r>")));
  EXPECT_TRUE(std::holds_alternative<XmlTree>(ReadXml(attributes + "/>")));
  const auto referenced = ReadXml(references + "</r>");
  ASSERT_TRUE(std::holds_alternative<XmlTree>(referenced));
  // A text of megabytes is kept whole, its length as long as it is.
  const std::string_view text = std::get<XmlTree>(referenced).Root().text;
  EXPECT_EQ(text.size(), (references.size() - 3) / 12 * 3);
  EXPECT_EQ(text.substr(text.size() - 6), "<A\n<A\n");
  EXPECT_TRUE(std::holds_alternative<XmlTree>(ReadXml(comments + "</r>")));

  // The smallest elements, side by side and nested to the limit, each
  // block's last element with text and an attribute: every one is kept.
  constexpr int kTiny = (kSize - 64) / 4;
  constexpr int kBlocks = kSize / (8 * kXmlMaxDepth);
  const std::string nested_block =
      Repeated("<a>", kXmlMaxDepth - 2) + "<a i='1'>t</a>" + Repeated("</a>", kXmlMaxDepth - 2);
  const auto tiny = ReadXml("<r>" + Repeated("<a/>", kTiny) + "<a i='1'>t</a></r>");
  const auto nested = ReadXml("<r>" + Repeated(nested_block, kBlocks) + "</r>");
  const std::vector<XmlElement> tiny_children = std::get<XmlTree>(tiny).Root().Children();
  ASSERT_EQ(tiny_children.size(), kTiny + 1u);
  EXPECT_EQ(Outline(tiny_children.back()), "a{i=1}\"t\"");
  const std::vector<XmlElement> blocks = std::get<XmlTree>(nested).Root().Children();
  ASSERT_EQ(blocks.size(), static_cast<std::size_t>(kBlocks));
  EXPECT_EQ(Outline(blocks.back()), Outline(blocks.front()));
}

}  // namespace
}  // namespace korvanta

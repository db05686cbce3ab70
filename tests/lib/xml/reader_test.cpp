#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "XmlTestSupport.h"
#include "base/col/_array/ArrayU08.h"
#include "xml/NodeReader.h"

using namespace xmltest;

namespace {

struct WriteBackCase {
  const char* what;
  const char16_t* input;
  const char16_t* written;
};

// What the reader keeps of a document, seen through the one-line writer.
const WriteBackCase kWriteBack[] = {
    {"closing slash", u"<a/>", u"<a></a>"},
    {"closing slash after a blank", u"<a />", u"<a></a>"},
    {"start and end tag", u"<a></a>", u"<a></a>"},
    {"blanks around the equals sign", u"<a x = \"1\"/>", u"<a x=\"1\"></a>"},
    {"line breaks between attributes", u"<a\n\tx=\"1\"\r\n y=\"2\"></a>", u"<a x=\"1\" y=\"2\"></a>"},
    {"value holding > / and <", u"<a v=\"x>y/z<w\"/>", u"<a v=\"x>y/z<w\"></a>"},
    {"comment between two children", u"<r><a/><!-- c --><b/></r>", u"<r><a></a><b></b></r>"},
    {"comment first inside an element", u"<r><!-- c --><b/></r>", u"<r><b></b></r>"},
    {"comment holding markup", u"<r><!-- <x a=\"1\"> --><b/></r>", u"<r><b></b></r>"},
    {"only the first text run is written", u"<a>x<b/>y</a>", u"<a>x<b></b></a>"},
    {"leading white space of a text run dropped", u"<a>\n  hi \n</a>", u"<a>hi \n</a>"},
    {"end tag name not compared", u"<a><b></c></a>", u"<a><b></b></a>"},
    {"missing end tag ends at the next one", u"<a><b>text</a>", u"<a><b>text</b></a>"},
    {"text before the root ignored", u"junk <a/>", u"<a></a>"},
    {"byte-order mark ignored", u"\uFEFF<a/>", u"<a></a>"},
    {"white space after the opening bracket", u"< a/>", u"<a></a>"},
    {"no markup at all", u"hello", u"<></>"},
    {"empty text", u"", u"<></>"},
    {"single quotes are not quotes", u"<a x='1' y=\"2\"/>", u"<a x=\"2\"></a>"},
    {"nameless attribute is not a text run", u"<a =\"1\">t</a>", u"<a>t</a>"},
    {"entities stay escaped", u"<a v=\"&amp;&quot;\">&lt;&#160;</a>", u"<a v=\"&amp;&quot;\">&lt;&#160;</a>"},
    {"input ends inside a start tag", u"<a x=\"1", u"<a></a>"},
    {"input ends inside an element", u"<a><b>te", u"<a><b>te</b></a>"},
    {"input ends after the opening bracket", u"<", u"<></>"},
};

TEST(XmlReader, WritesBackWhatItKeeps) {
  for (const WriteBackCase& c : kWriteBack) {
    NodeHolder node;
    node->parse(c.input);
    EXPECT_EQ(textOf(node.get()), std::u16string(c.written)) << c.what;
  }
}

// A document over several indented lines: the root lang holds entry (id 7), whose content is the
// free words "a note" on their own line and then the element eng.
TEST(XmlReader, WorkedExample) {
  const char16_t* document =
      u"<lang>\n"
      u"  <entry id=\"7\">\n"
      u"    a note\n"
      u"    <eng>Save&#160;as</eng>\n"
      u"  </entry>\n"
      u"</lang>\n";
  NodeHolder lang;
  lang->parse(document);
  ASSERT_TRUE(lang->nameEquals(u"lang", 4));
  EXPECT_EQ(lang->getAttributes()->size(), 0u) << "lang has no text run";
  ASSERT_EQ(lang->childCount(), 1u);
  Node* entry = lang->getChild(0);
  ASSERT_TRUE(entry->nameEquals(u"entry", 5));
  ASSERT_EQ(entry->getAttributes()->size(), 2u);
  EXPECT_EQ(rawOf(entry, u"id"), u"7");
  EXPECT_EQ(rawOf(entry, u""), u"a note\n    ");
  ASSERT_EQ(entry->childCount(), 1u);
  Node* eng = entry->getChild(0);
  EXPECT_TRUE(eng->nameEquals(u"eng", 3));
  EXPECT_EQ(rawOf(eng, u""), u"Save&#160;as");
  EXPECT_EQ(stringOf(eng, u""), u"Save as");
  EXPECT_EQ(textOf(lang.get()), u"<lang><entry id=\"7\">a note\n    <eng>Save&#160;as</eng></entry></lang>");
}

TEST(XmlReader, EmptyElementFormsReadToTheSameTree) {
  NodeHolder slash, tags;
  slash->parse(u"<r><e k=\"v\"/><f/></r>");
  tags->parse(u"<r><e k=\"v\"></e><f></f></r>");
  EXPECT_EQ(textOf(slash.get()), textOf(tags.get()));
  EXPECT_EQ(slash->getChild(0)->getAttributes()->size(), 1u);
  EXPECT_EQ(tags->getChild(0)->getAttributes()->size(), 1u);
}

TEST(XmlReader, DocumentStartingWithACommentIsACommentNode) {
  const char16_t* text = u"<!-- about --><root a=\"1\"/>";
  NodeHolder node;
  const char16_t* after = node->parse(text);
  EXPECT_TRUE(node->isComment());
  EXPECT_EQ(std::u16string(node->getName()), u"!--");
  EXPECT_EQ(node->childCount(), 0u);
  EXPECT_EQ(node->getAttributes()->size(), 0u);
  EXPECT_EQ(after, text + 14) << "stops just after the -->";
  // The element after it is read by a second parse from that position.
  NodeHolder root;
  root->parse(after);
  EXPECT_EQ(textOf(root.get()), u"<root a=\"1\"></root>");
}

TEST(XmlReader, ParseAnswersThePositionAfterTheElement) {
  const char16_t* text = u"  <a><b/></a>tail";
  NodeHolder node;
  EXPECT_EQ(node->parse(text), text + 13);
  const char16_t* none = u"no markup";
  NodeHolder empty;
  EXPECT_EQ(empty->parse(none), none + 9);
  EXPECT_EQ(empty->getName(), nullptr) << "a text without < leaves the node unnamed";
}

TEST(XmlReader, DeclarationReadsAsAnElementWithAQuestionMark) {
  NodeHolder node;
  node->parse(u"<?xml version=\"1.0\"?><r/>");
  ASSERT_NE(node->getName(), nullptr);
  EXPECT_EQ(node->getName()[0], u'?');
}

TEST(XmlReader, ParsingAddsToExistingContent) {
  NodeHolder node;
  node->parse(u"<a x=\"1\"><b/></a>");
  node->parse(u"<c y=\"2\"><d/></c>");
  EXPECT_EQ(textOf(node.get()), u"<c x=\"1\" y=\"2\"><b></b><d></d></c>");
}

TEST(XmlReader, ParseBytesDecodesUtf8) {
  const std::string utf8 = "\xEF\xBB\xBF<w t=\"\xE6\x97\xA5\">\xD0\x96</w>";
  auto* bytes = s::col::_array::ArrayU08::acquire();
  bytes->append(utf8.data(), static_cast<uint32_t>(utf8.size()));
  NodeHolder node;
  node->parseBytes(bytes);
  bytes->release();
  EXPECT_EQ(textOf(node.get()), u"<w t=\"\u65E5\">\u0416</w>");
}

// Every prefix of a document, each in a buffer of exactly its size: the reader must stop at the
// terminator whatever it was reading (the sanitizer build catches any read beyond).
TEST(XmlReader, EveryPrefixStopsAtItsEnd) {
  const std::u16string document =
      u"<lang a=\"1\" b = \"x>y\">\n <!-- note -->\n <entry id=\"7\">text<eng>Save&#160;as</eng>"
      u"tail</entry><e/><f x=\"\"/>\n</lang>";
  for (size_t n = 0; n <= document.size(); ++n) {
    std::vector<char16_t> exact(document.begin(), document.begin() + static_cast<std::ptrdiff_t>(n));
    exact.push_back(0);
    NodeHolder node;
    const char16_t* after = node->parse(exact.data());
    EXPECT_GE(after, exact.data()) << n;
    EXPECT_LE(after, exact.data() + n) << n;
  }
}

// A NUL unit ends the text wherever it stands: reading goes no further than reading the text
// before it would.
TEST(XmlReader, ANulUnitEndsTheText) {
  const std::u16string document = u"<lang><entry id=\"7\"><eng>Save&#160;as</eng></entry></lang>";
  for (size_t n = 0; n < document.size(); ++n) {
    std::u16string cut = document;
    cut[n] = 0;
    cut += u"<more/>";
    NodeHolder withNul;
    NodeHolder prefix;
    const char16_t* after = withNul->parse(cut.c_str());
    prefix->parse(document.substr(0, n).c_str());
    EXPECT_LE(after, cut.c_str() + n) << n;
    EXPECT_EQ(textOf(withNul.get()), textOf(prefix.get())) << n;
  }
}

TEST(XmlReader, NestingIsBounded) {
  std::u16string deep;
  const uint32_t levels = s::xml::NodeReader::kMaxDepth * 4;
  for (uint32_t i = 0; i < levels; ++i) deep += u"<a>";
  NodeHolder node;
  node->parse(deep.c_str());
  uint32_t depth = 1;
  for (Node* at = node.get(); at->childCount() > 0; at = at->getChild(0)) ++depth;
  EXPECT_EQ(depth, s::xml::NodeReader::kMaxDepth);
}

}  // namespace

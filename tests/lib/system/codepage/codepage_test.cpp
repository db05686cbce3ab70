// Code page objects: numbers, the UTF-16 instances, ordering and pooling.
#include <gtest/gtest.h>

#include <string>

#include "system/codepage/CodePage.h"

using s::system::codepage::CodePage;

TEST(CodePage, DistinguishedUtf16Instances) {
  const CodePage* little = CodePage::utf16LittleEndian();
  const CodePage* big = CodePage::utf16BigEndian();
  EXPECT_EQ(little, CodePage::utf16LittleEndian());
  EXPECT_EQ(little->getNumber(), 1200u);
  EXPECT_EQ(big->getNumber(), 1201u);
  EXPECT_TRUE(little->isUtf16LittleEndian());
  EXPECT_FALSE(little->isUtf16BigEndian());
  EXPECT_TRUE(big->isUtf16BigEndian());
  EXPECT_EQ(std::u16string(little->getClassName()), u"s_system_codepage_CodePage");
}

TEST(CodePage, OrdersAndHashesByNumber) {
  struct Case {
    uint32_t a, b;
    int32_t expected;
  } cases[] = {{1252, 1252, 0}, {437, 1252, -1}, {65001, 1200, 1}};
  for (const Case& c : cases) {
    CodePage* a = CodePage::acquireNumber(c.a);
    CodePage* b = CodePage::acquireNumber(c.b);
    EXPECT_EQ(a->compareTo(b), c.expected) << c.a << " " << c.b;
    EXPECT_EQ(a->equals(b), c.expected == 0);
    EXPECT_EQ(a->hashCode(), c.a);
    a->release();
    b->release();
  }
  CodePage* same = CodePage::acquireNumber(1200);
  EXPECT_TRUE(same->equals(CodePage::utf16LittleEndian()));
  EXPECT_TRUE(same->isUtf16LittleEndian());
  same->release();
}

TEST(CodePage, ReleasedPageComesBackAsTheAnsiPage) {
  CodePage* page = CodePage::acquireNumber(866);
  page->release();
  CodePage* again = CodePage::acquire();
  EXPECT_EQ(again, page);
  EXPECT_EQ(again->getNumber(), CodePage::kAnsi);
  again->release();
}

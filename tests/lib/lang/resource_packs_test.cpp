// The packs compiled into the program: every language of the main pack with every entry, and the
// context-menu pack surviving a trip through the writer.
#include <gtest/gtest.h>

#include <win/resource.h>

#include "LocalizerFixture.h"
#include "base/str/strbuffer/StrBuffer.h"

using lang_test::str;
using lang_test::textIn;

namespace {

s::lang::Localizer* loadResource(uint16_t id) {
  return s::lang::Localizer::acquire()->loadFromResource(nullptr, u"IDR_XML", id);
}

constexpr int32_t kMainEntries[] = {
    100000,  101000,  105000,  106000,  107000,  108000,  108100,  108200,     108500,    300000,
    400010,  400020,  400030,  400050,  400080,  400100,  400110,  400120,     500000,    500001,
    500002,  500003,  500004,  500006,  500010,  500020,  500030,  500050,     500051,    500089,
    500090,  500100,  609000,  609100,  609300,  609350,  609420,  609440,     609450,    609460,
    700000,  700001,  701000,  701100,  701200,  701300,  1000000, 1001000,    1002000,   1003000,
    1004000, 1005000, 2010000000, 2010001000};

TEST(ResourcePacks, MainPackHasEveryLanguageWithEveryEntry) {
  const char16_t* const languages[][2] = {
      {u"eng", u"English"},   {u"bel", u"Belarusian"},   {u"cze", u"Czech"},
      {u"cpn", u"Serbian_Cyrillic"}, {u"deu", u"German"}, {u"ell", u"Greek"},
      {u"fra", u"French"},    {u"ita", u"Italian"},      {u"hun", u"Hungarian"},
      {u"bra", u"Portuguese_Brazilian"}, {u"rus", u"Russian"}, {u"tur", u"Turkish"},
      {u"zhs", u"Chinese_Simplified"}, {u"jpn", u"Japanese"}, {u"kor", u"Korean"},
      {u"ara", u"Arabic"},    {u"ind", u"Indonesian"},   {u"bul", u"Bulgarian"},
      {u"zht", u"Chinese_Traditional"}, {u"dan", u"Danish"}, {u"est", u"Estonian"},
      {u"spa", u"Spanish"},   {u"hrv", u"Croatian"},     {u"nld", u"Dutch"},
      {u"per", u"Persian"},   {u"pol", u"Polish"},       {u"rom", u"Romanian"},
      {u"srp", u"Serbian_Latin"}, {u"slk", u"Slovak"},  {u"fin", u"Finnish"},
      {u"swe", u"Swedish"},   {u"ukr", u"Ukrainian"},    {u"vec", u"Venetian"},
      {u"vie", u"Vietnamese"}};
  s::lang::Localizer* localizer = loadResource(130);
  ASSERT_EQ(localizer->packCount(), std::size(languages));
  uint32_t partial = 0;
  for (uint32_t p = 0; p < localizer->packCount(); ++p) {
    s::lang::LangPack* pack = localizer->packAt(p);
    EXPECT_EQ(str(pack->getTagName()->getText()), languages[p][0]);
    EXPECT_EQ(str(pack->getEngName()->getText()), languages[p][1]);
    partial += pack->getTrueName()->endsWith(u"(Partial)") ? 1 : 0;
    ASSERT_EQ(pack->textCount(), std::size(kMainEntries)) << lang_test::narrow(languages[p][0]);
    for (uint32_t i = 0; i < pack->textCount(); ++i) {
      EXPECT_EQ(pack->idAt(i), kMainEntries[i]) << lang_test::narrow(languages[p][0]);
      EXPECT_GT(pack->textAt(i)->length(), 0u) << lang_test::narrow(languages[p][0]) << " " << kMainEntries[i];
    }
    EXPECT_EQ(str(pack->textOf(300000)->getText()), u"Tarn Vesper") << lang_test::narrow(languages[p][0]);
  }
  EXPECT_EQ(partial, 19u);
  localizer->release();
}

TEST(ResourcePacks, MainPackTexts) {
  s::lang::Localizer* localizer = loadResource(130);
  struct Case {
    const char16_t* tag;
    int32_t id;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"eng", 1000000, u"Ready to Use!"},
      {u"rom", 1000000, u"Ready to Use!"},  // no Romanian translation: the English text
      {u"vec", 1000000, u"Ready to Use!"},
      {u"eng", 1001000, u"Stand By"},
      {u"eng", 1002000, u"Hibernate"},
      {u"eng", 1003000, u"Log Off"},
      {u"eng", 1004000, u"Reboot"},
      {u"eng", 1005000, u"Shutdown"},
      {u"eng", 123, u"<none>"},
  };
  for (const Case& c : cases) EXPECT_EQ(textIn(localizer, c.tag, c.id), c.expected) << lang_test::narrow(c.tag) << c.id;
  localizer->selectByName(u"English");
  EXPECT_EQ(str(localizer->text(123)), u"");
  localizer->release();
}

TEST(ResourcePacks, VenetianTextsFollowTheGlyphRule) {
  s::xml::Node* root = s::xml::Node::acquire();
  HRSRC resource = FindResourceW(nullptr, MAKEINTRESOURCEW(130), u"IDR_XML");
  ASSERT_NE(resource, nullptr);
  s::str::strbuffer::StrBuffer* text = s::str::strbuffer::StrBuffer::acquire();
  text->fromUtf8(LockResource(LoadResource(nullptr, resource)), false,
                 static_cast<int32_t>(SizeofResource(nullptr, resource)));
  root->parse(text->getText());
  text->release();
  bool sawLBar = false;
  for (bool legacy : {true, false}) {
    s::lang::Localizer* localizer = s::lang::Localizer::acquire();
    localizer->setLegacyGlyphs(legacy);
    localizer->loadFromNode(root);
    s::lang::LangPack* venetian = localizer->findByEngName(u"Venetian");
    ASSERT_NE(venetian, nullptr);
    bool hasLBar = false;
    for (uint32_t i = 0; i < venetian->textCount(); ++i) {
      uint32_t at = 0;
      hasLBar = hasLBar || venetian->textAt(i)->indexOf(char16_t{0x019A}, &at);
    }
    if (legacy) {
      EXPECT_FALSE(hasLBar);
    }
    sawLBar = sawLBar || hasLBar;
    localizer->release();
  }
  root->release();
  // Whether the data uses U+019A at all decides whether the unchanged case says anything.
  if (!sawLBar) GTEST_LOG_(INFO) << "the Venetian texts use no U+019A";
}

TEST(ResourcePacks, MissingResourceGivesAnEmptyLocalizer) {
  s::lang::Localizer* localizer = loadResource(999);
  EXPECT_EQ(localizer->packCount(), 0u);
  EXPECT_EQ(localizer->getCurrent(), nullptr);
  EXPECT_EQ(str(localizer->text(1001000)), u"");
  localizer->selectByName(u"English");
  localizer->selectByIndex(0);
  localizer->release();
}

TEST(ResourcePacks, InterfaceLanguageChoosesThePack) {
  struct Case {
    const char* locale;
    const char16_t* expected;
  };
  const Case cases[] = {
      {"ja_JP.UTF-8", u"Japanese"},   {"fr_FR.UTF-8", u"French"},
      {"ko_KR.UTF-8", u"Korean"},     {"th_TH.UTF-8", u"English"},
      {"pt_PT.UTF-8", u"Portuguese_Brazilian"}, {"zh_HK.UTF-8", u"Chinese_Traditional"},
      {"zh_TW.UTF-8", u"Chinese_Traditional"},  {"zh_SG.UTF-8", u"Chinese_Simplified"},
      {"sr_RS.UTF-8@latin", u"Serbian_Latin"},  {"sr_RS.UTF-8", u"Serbian_Cyrillic"},
  };
  for (const Case& c : cases) {
    lang_test::LocaleEnvironment environment;
    environment.set(c.locale, nullptr);
    s::lang::Localizer* localizer = loadResource(130);
    ASSERT_NE(localizer->getCurrent(), nullptr);
    EXPECT_EQ(str(localizer->getCurrent()->getEngName()->getText()), c.expected) << c.locale;
    localizer->release();
  }
}

TEST(ResourcePacks, ContextMenuPackSurvivesTheWriter) {
  s::lang::Localizer* original = loadResource(135);
  ASSERT_EQ(original->packCount(), 2u);
  s::xml::Node* node = original->toNode();
  ASSERT_NE(node, nullptr);
  s::str::strbuffer::StrBuffer* written = node->toText();
  node->release();
  // The writer puts the whole document on one line.
  uint32_t at = 0;
  EXPECT_FALSE(written->indexOf(u'\n', &at));

  s::lang::Localizer* reread = s::lang::Localizer::acquire()->loadFromText(written->getText());
  written->release();
  ASSERT_EQ(reread->packCount(), 2u);
  for (uint32_t p = 0; p < 2; ++p) {
    s::lang::LangPack* before = original->packAt(p);
    s::lang::LangPack* after = reread->packAt(p);
    EXPECT_EQ(str(after->getTagName()->getText()), str(before->getTagName()->getText()));
    EXPECT_EQ(str(after->getEngName()->getText()), str(before->getEngName()->getText()));
    EXPECT_EQ(str(after->getTrueName()->getText()), str(before->getTrueName()->getText()));
    ASSERT_EQ(after->textCount(), 7u);
    ASSERT_EQ(after->textCount(), before->textCount());
    for (uint32_t i = 0; i < after->textCount(); ++i) {
      EXPECT_EQ(after->idAt(i), before->idAt(i));
      EXPECT_EQ(str(after->textAt(i)->getText()), str(before->textAt(i)->getText()));
    }
  }
  EXPECT_EQ(textIn(reread, u"eng", 1990000000), u"System...");
  EXPECT_EQ(textIn(reread, u"eng", 1998040000), u"Reboot");
  original->release();
  reread->release();
}

}  // namespace

// Loading documents: the fallback to an entry's first translation, ignored elements, keyed
// entries, the Venetian glyph rule and documents that lack parts.
#include <gtest/gtest.h>

#include "LocalizerFixture.h"

using lang_test::loadDocument;
using lang_test::str;
using lang_test::textIn;

namespace {

constexpr const char16_t* kThreeLanguages =
    u"<lang><languages>"
    u"<entry tagName=\"eng\" engName=\"English\" trueName=\"English\"/>"
    u"<entry tagName=\"fra\" engName=\"French\" trueName=\"Fran\u00e7ais\"/>"
    u"<entry tagName=\"jpn\" engName=\"Japanese\" trueName=\"Nihongo\"/>"
    u"<note tagName=\"xxx\" engName=\"Ignored\"/>"
    u"</languages><entries>"
    u"<entry id=\"10\">note for translators<eng>Yes</eng><fra>Oui</fra><jpn>Hai</jpn></entry>"
    u"<entry id=\"20\"><eng>Only English</eng></entry>"
    u"<entry id=\"30\"><FRA>Majuscules</FRA><eng>Upper tag</eng></entry>"
    u"<entry id=\"40\"><xyz>Not a language</xyz><eng>After unknown</eng></entry>"
    u"<entry id=\"50\"><eng>First</eng><eng>Second</eng><fra>Un</fra><fra>Deux</fra></entry>"
    u"<other id=\"60\"><eng>Not an entry</eng></other>"
    u"<entry id=\"70\"><eng>&#160;padded&#160;</eng><jpn>line&#10;break</jpn></entry>"
    u"<entry><eng>No id</eng></entry>"
    u"<entry id=\"greeting\"><eng>Hello</eng><jpn>Konnichiwa</jpn></entry>"
    u"</entries></lang>";

TEST(LocalizerLoad, TranslationsAndFallbacks) {
  s::lang::Localizer* localizer = loadDocument(kThreeLanguages);
  ASSERT_EQ(localizer->packCount(), 3u);
  EXPECT_EQ(str(localizer->packAt(1)->getTrueName()->getText()), u"Fran\u00e7ais");

  struct Case {
    const char16_t* tag;
    int32_t id;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"fra", 10, u"Oui"},
      {u"jpn", 10, u"Hai"},
      {u"fra", 20, u"Only English"},  // missing translations fall back to the first one
      {u"jpn", 20, u"Only English"},
      {u"fra", 30, u"Majuscules"},  // tags match ignoring case
      {u"jpn", 30, u"Majuscules"},  // the first child is the fallback even when it is not English
      {u"eng", 40, u"After unknown"},
      {u"fra", 40, u""},  // an unlisted first child gives no fallback, not the previous entry's
      {u"eng", 50, u"First"},  // a repeated translation is ignored
      {u"fra", 50, u"Un"},
      {u"jpn", 50, u"First"},
      {u"eng", 60, u"<none>"},  // elements other than entry are skipped
      {u"eng", 70, u" padded "},  // the kept spaces of the text scheme
      {u"jpn", 70, u"line\nbreak"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(textIn(localizer, c.tag, c.id), c.expected) << lang_test::narrow(c.tag) << " " << c.id;

  // Every pack holds one text per numbered entry, in the same order.
  for (uint32_t p = 0; p < localizer->packCount(); ++p) {
    s::lang::LangPack* pack = localizer->packAt(p);
    ASSERT_EQ(pack->textCount(), 6u);
    for (uint32_t i = 0; i < pack->textCount(); ++i)
      EXPECT_EQ(pack->idAt(i), localizer->packAt(0)->idAt(i));
  }
  localizer->release();
}

TEST(LocalizerLoad, KeyedEntriesStayApart) {
  s::lang::Localizer* localizer = loadDocument(kThreeLanguages);
  s::lang::LangPack* french = localizer->packAt(1);
  ASSERT_EQ(french->keyCount(), 1u);
  EXPECT_EQ(str(french->keyAt(0)->getText()), u"greeting");
  EXPECT_EQ(str(french->textOfKey(u"greeting")->getText()), u"Hello");
  EXPECT_EQ(french->textOfKey(u"Greeting"), nullptr);  // keys compare case-sensitively
  localizer->selectByIndex(2);
  EXPECT_EQ(str(localizer->textOfKey(u"greeting")), u"Konnichiwa");
  EXPECT_EQ(str(localizer->textOfKey(u"missing")), u"");
  localizer->release();
}

TEST(LocalizerLoad, RepeatedNumbersKeepThePacksPaired) {
  s::lang::Localizer* localizer = loadDocument(
      u"<lang><languages><entry tagName=\"eng\"/><entry tagName=\"deu\"/></languages><entries>"
      u"<entry id=\"5\"><eng>One</eng></entry>"
      u"<entry id=\"5\"><eng>Two</eng><deu>Zwei</deu></entry>"
      u"<entry id=\"6\"><eng>Six</eng><deu>Sechs</deu></entry>"
      u"</entries></lang>");
  for (uint32_t p = 0; p < 2; ++p) ASSERT_EQ(localizer->packAt(p)->textCount(), 3u);
  // The first text of a number wins, and the entry after the repeated one is still paired.
  EXPECT_EQ(textIn(localizer, u"deu", 5), u"One");
  EXPECT_EQ(str(localizer->packAt(1)->textAt(1)->getText()), u"Zwei");
  EXPECT_EQ(textIn(localizer, u"deu", 6), u"Sechs");
  localizer->release();
}

TEST(LocalizerLoad, VenetianGlyphRule) {
  constexpr const char16_t* kDocument =
      u"<lang><languages><entry tagName=\"eng\"/><entry tagName=\"vec\"/><entry tagName=\"Vec\"/>"
      u"</languages><entries>"
      u"<entry id=\"1\"><eng>a\u019Ab</eng><vec>\u019Aeng\u019Aa</vec><Vec>\u019A</Vec></entry>"
      u"<entry id=\"2\"><eng>fall\u019Aback</eng></entry>"
      u"</entries></lang>";
  struct Case {
    bool legacy;
    const char16_t* tag;
    int32_t id;
    const char16_t* expected;
  };
  const Case cases[] = {
      {true, u"vec", 1, u"\u0142eng\u0142a"},
      {true, u"vec", 2, u"fall\u0142back"},  // the fallback is adjusted too
      {true, u"eng", 1, u"a\u019Ab"},       // only the Venetian pack changes
      {true, u"Vec", 1, u"\u019A"},         // the tag must be exactly "vec"
      {false, u"vec", 1, u"\u019Aeng\u019Aa"},
      {false, u"vec", 2, u"fall\u019Aback"},
  };
  for (const Case& c : cases) {
    s::lang::Localizer* localizer = loadDocument(kDocument, c.legacy);
    EXPECT_EQ(textIn(localizer, c.tag, c.id), c.expected) << c.legacy << " " << lang_test::narrow(c.tag) << c.id;
    localizer->release();
  }
}

TEST(LocalizerLoad, IncompleteDocuments) {
  constexpr uint32_t kAnyCount = 0xFFFFFFFFu;
  struct Case {
    const char16_t* document;
    uint32_t packs;
  };
  const Case cases[] = {
      {u"<lang><languages><entry tagName=\"eng\" engName=\"English\"/></languages></lang>", 1},
      {u"<lang><entries><entry id=\"1\"><eng>x</eng></entry></entries></lang>", 0},
      {u"<anything><LANGUAGES><ENTRY TAGNAME=\"eng\"/></LANGUAGES></anything>", 1},
      {u"", 0},
      {u"<lang><languages><entry", kAnyCount},  // whatever the reader salvages
  };
  for (const Case& c : cases) {
    s::lang::Localizer* localizer = loadDocument(c.document);
    if (c.packs != kAnyCount) {
      EXPECT_EQ(localizer->packCount(), c.packs) << lang_test::narrow(c.document);
    }
    // Without texts (or without packs) every look-up answers the empty text.
    EXPECT_EQ(str(localizer->text(1)), u"");
    EXPECT_EQ(str(localizer->text(0)), u"");
    localizer->release();
  }
}

TEST(LocalizerLoad, LoadingAgainReplacesThePacks) {
  s::lang::Localizer* localizer = loadDocument(kThreeLanguages);
  s::xml::Node* root = s::xml::Node::acquire();
  root->parse(u"<lang><languages><entry tagName=\"eng\" engName=\"English\"/></languages>"
              u"<entries><entry id=\"1\"><eng>Again</eng></entry></entries></lang>");
  localizer->loadFromNode(root);
  root->release();
  ASSERT_EQ(localizer->packCount(), 1u);
  EXPECT_EQ(str(localizer->text(1)), u"Again");
  EXPECT_EQ(str(localizer->text(10)), u"");
  localizer->release();
}

TEST(LocalizerLoad, ReleasedLocalizerComesBackEmpty) {
  s::lang::Localizer* localizer = loadDocument(kThreeLanguages);
  lang_test::CountingListener listener;
  localizer->addListener(&listener);
  localizer->setLegacyGlyphs(false);
  localizer->release();
  s::lang::Localizer* again = s::lang::Localizer::acquire();
  EXPECT_EQ(again->packCount(), 0u);
  EXPECT_EQ(again->listenerCount(), 0u);
  EXPECT_EQ(again->getCurrent(), nullptr);
  EXPECT_TRUE(again->hasLegacyGlyphs());
  again->release();
}

}  // namespace

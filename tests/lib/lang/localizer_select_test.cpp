// Choosing a pack: by English name with the variant rules, by index, by the interface language,
// and which choices listeners hear about.
#include <gtest/gtest.h>

#include "LocalizerFixture.h"

using lang_test::CountingListener;
using lang_test::loadDocument;
using lang_test::str;

namespace {

// The variants are listed in an order that would hide a rule that only takes the first variant.
constexpr const char16_t* kVariants =
    u"<lang><languages>"
    u"<entry tagName=\"eng\" engName=\"English\"/>"
    u"<entry tagName=\"zht\" engName=\"Chinese_Traditional\"/>"
    u"<entry tagName=\"zhs\" engName=\"Chinese_Simplified\"/>"
    u"<entry tagName=\"bra\" engName=\"Portuguese_Brazilian\"/>"
    u"<entry tagName=\"srp\" engName=\"Serbian_Latin\"/>"
    u"<entry tagName=\"jpn\" engName=\"Japanese\"/>"
    u"</languages><entries><entry id=\"1\"><eng>One</eng><jpn>Ichi</jpn></entry></entries></lang>";

std::u16string engNameOf(s::lang::LangPack* pack) {
  return pack ? str(pack->getEngName()->getText()) : u"<none>";
}

TEST(LocalizerSelect, FindByEngName) {
  s::lang::Localizer* localizer = loadDocument(kVariants);
  struct Case {
    const char16_t* name;
    const char16_t* expected;
  };
  const Case cases[] = {
      {u"japanese", u"Japanese"},
      {u"JAPANESE", u"Japanese"},
      {u"Chinese_Traditional", u"Chinese_Traditional"},
      {u"Chinese", u"Chinese_Simplified"},  // the simplified pack is preferred for any other Chinese
      {u"chinese_hongkong", u"Chinese_Simplified"},
      {u"Portuguese_portugal", u"Portuguese_Brazilian"},
      {u"Serbian", u"Serbian_Latin"},  // no Cyrillic pack here, so Latin
      {u"Serbian_Cyrillic", u"Serbian_Latin"},
      {u"Thai", u"<none>"},
      {u"", u"<none>"},
      {u"Japanese_", u"<none>"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(engNameOf(localizer->findByEngName(c.name)), c.expected) << lang_test::narrow(c.name);
  EXPECT_EQ(localizer->findByEngName(nullptr), nullptr);
  localizer->release();
}

TEST(LocalizerSelect, SelectByNameTellsListenersOfChangesOnly) {
  lang_test::LocaleEnvironment environment;
  environment.set("en_US.UTF-8", nullptr);
  s::lang::Localizer* localizer = loadDocument(kVariants);
  CountingListener first;
  CountingListener second;
  localizer->addListener(&first);
  localizer->addListener(&second);

  struct Step {
    const char16_t* name;
    const char16_t* current;
    int calls;  // calls each listener has had so far
  };
  const Step steps[] = {
      {u"English", u"English", 0},     // the initial choice and an unchanged one tell nobody
      {u"japanese", u"Japanese", 1},
      {u"Japanese", u"Japanese", 1},
      {u"Klingon", u"English", 2},     // an unknown name selects English
      {u"Klingon", u"English", 2},
      {u"Chinese_Hongkong", u"Chinese_Simplified", 3},
  };
  for (const Step& step : steps) {
    localizer->selectByName(step.name);
    EXPECT_EQ(engNameOf(localizer->getCurrent()), step.current) << lang_test::narrow(step.name);
    EXPECT_EQ(first.calls, step.calls) << lang_test::narrow(step.name);
    EXPECT_EQ(second.calls, step.calls) << lang_test::narrow(step.name);
  }
  EXPECT_EQ(first.lastSource, static_cast<s::base::IObject*>(localizer));
  EXPECT_EQ(first.lastType, 0);
  localizer->release();
}

TEST(LocalizerSelect, UnknownNameWithoutEnglishSelectsTheFirstPack) {
  lang_test::LocaleEnvironment environment;
  environment.set("C", nullptr);
  s::lang::Localizer* localizer = loadDocument(
      u"<lang><languages><entry tagName=\"deu\" engName=\"German\"/>"
      u"<entry tagName=\"jpn\" engName=\"Japanese\"/></languages></lang>");
  localizer->selectByIndex(1);
  localizer->selectByName(u"Klingon");
  EXPECT_EQ(engNameOf(localizer->getCurrent()), u"German");
  localizer->release();
}

TEST(LocalizerSelect, SelectByIndex) {
  s::lang::Localizer* localizer = loadDocument(kVariants);
  CountingListener listener;
  localizer->addListener(&listener);
  localizer->selectByIndex(5);
  EXPECT_EQ(engNameOf(localizer->getCurrent()), u"Japanese");
  EXPECT_EQ(str(localizer->text(1)), u"Ichi");
  EXPECT_EQ(str(localizer->text(2)), u"");  // a number that is not in the document
  localizer->selectByIndex(5);
  localizer->selectByIndex(99);  // out of range: nothing changes
  EXPECT_EQ(listener.calls, 1);
  EXPECT_EQ(engNameOf(localizer->getCurrent()), u"Japanese");
  localizer->release();
}

// A listener that adds another listener while it is told; both are told about later changes.
class ChainingListener : public CountingListener {
 public:
  int32_t onEvent(s::base::IObject* source, int32_t type) override {
    if (calls == 0) static_cast<s::lang::Localizer*>(source)->addListener(&added);
    return CountingListener::onEvent(source, type);
  }
  CountingListener added;
};

TEST(LocalizerSelect, ListenerAddedWhileTelling) {
  s::lang::Localizer* localizer = loadDocument(kVariants);
  ChainingListener chaining;
  localizer->addListener(&chaining);
  localizer->selectByIndex(1);
  localizer->selectByIndex(2);
  EXPECT_EQ(chaining.calls, 2);
  EXPECT_EQ(chaining.added.calls, 2);
  localizer->release();
}

TEST(LocalizerSelect, InterfaceLanguageChoosesTheFirstPack) {
  struct Case {
    const char* lcAll;
    const char* lang;
    const char16_t* expected;
  };
  // The pack list of kVariants has no French, Korean or Thai pack.
  const Case cases[] = {
      {"ja_JP.UTF-8", nullptr, u"Japanese"},
      {nullptr, "ja_JP.UTF-8", u"Japanese"},
      {"fr_FR.UTF-8", "ja_JP.UTF-8", u"English"},  // LC_ALL wins over LANG; no French pack here
      {"th_TH.UTF-8", nullptr, u"English"},
      {"zh_HK.UTF-8", nullptr, u"Chinese_Traditional"},
      {"zh_CN.UTF-8", nullptr, u"Chinese_Simplified"},
      {"pt_PT.UTF-8", nullptr, u"Portuguese_Brazilian"},
      {"sr_RS.UTF-8@latin", nullptr, u"Serbian_Latin"},
      {"C", nullptr, u"English"},
  };
  for (const Case& c : cases) {
    lang_test::LocaleEnvironment environment;
    environment.set(c.lcAll, c.lang);
    s::lang::Localizer* localizer = loadDocument(kVariants);
    EXPECT_EQ(engNameOf(localizer->getCurrent()), c.expected) << (c.lcAll ? c.lcAll : c.lang);
    localizer->release();
  }
}

}  // namespace

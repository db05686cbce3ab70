// The interface-language name: from language identifiers, and from the process locale.
#include <gtest/gtest.h>

#include "LocalizerFixture.h"
#include "lang/PrimaryLanguageNames.h"

using lang_test::str;

namespace {

std::u16string nameFor(LANGID language) {
  char16_t name[s::lang::DefaultLanguage::kNameCapacity];
  s::lang::DefaultLanguage::nameFor(language, name);
  return name;
}

TEST(DefaultLanguage, NamesOfIdentifiers) {
  struct Case {
    LANGID language;
    const char16_t* expected;
  };
  const Case cases[] = {
      {0x0409, u"English"},           {0x0809, u"English"},
      {0x0411, u"Japanese"},          {0x040C, u"French"},
      {0x0412, u"Korean"},            {0x041E, u"Thai"},
      {0x0416, u"Portuguese_brazilian"}, {0x0816, u"Portuguese_portugal"},
      {0x0004, u"Chinese_simplified"}, {0x0804, u"Chinese_simplified"},
      {0x1004, u"Chinese_simplified"}, {0x0404, u"Chinese_traditional"},
      {0x0C04, u"Chinese_traditional"}, {0x1404, u"Chinese_traditional"},
      {0x7C04, u"Chinese_traditional"}, {0x0004 | 0x1400, u"Chinese_traditional"},
      {0x0004 | 0x1800, u"Chinese"},   // another Chinese sublanguage: only the primary language
      {0x041A, u"Croatian"},          {0x101A, u"Croatian"},
      {0x001A, u"Croatian"},          {0x081A, u"Serbian_latin"},
      {0x181A, u"Serbian_latin"},     {0x0C1A, u"Serbian_cyrillic"},
      {0x1C1A, u"Serbian_cyrillic"},  {0x7C1A, u"Serbian"},
      {0x201A, u"Bosnian"},           {0x042E, u"Upper_sorbian"},
      {0x082E, u"Lower_sorbian"},     {0x0C2E, u"Unknown"},  // 0x2E has no primary name of its own
      {0x0429, u"Persian"},           {0x040A, u"Spanish"},
      {0x0C0A, u"Spanish"},           {0x0422, u"Ukrainian"},
      {0x048C, u"Dari"},              {0x0486, u"Kiche"},
      {0x0000, u"Unknown"},           {0x0030, u"Unknown"},
      {0x008D, u"Unknown"},           {0x00FF, u"Unknown"},
  };
  for (const Case& c : cases) EXPECT_EQ(nameFor(c.language), c.expected) << std::hex << c.language;
}

TEST(DefaultLanguage, PrimaryLanguageTableCoversItsRanges) {
  // The identifiers with a name, as ranges: every other one up to 0xFF has none.
  const uint32_t ranges[][2] = {{0x01, 0x2D}, {0x2F, 0x2F}, {0x32, 0x32}, {0x34, 0x3C}, {0x3E, 0x54},
                                {0x56, 0x57}, {0x59, 0x5B}, {0x5D, 0x65}, {0x68, 0x68}, {0x6A, 0x70},
                                {0x73, 0x73}, {0x78, 0x78}, {0x7A, 0x7A}, {0x7C, 0x7C}, {0x7E, 0x7E},
                                {0x80, 0x88}, {0x8C, 0x8C}};
  uint32_t named = 0;
  for (uint32_t id = 0; id <= 0xFF; ++id) {
    bool inRange = false;
    for (const auto& range : ranges) inRange = inRange || (id >= range[0] && id <= range[1]);
    EXPECT_EQ(s::lang::PrimaryLanguageNames::nameOf(id) != nullptr, inRange) << std::hex << id;
    named += inRange ? 1 : 0;
  }
  EXPECT_EQ(named, 116u);
  EXPECT_EQ(s::lang::PrimaryLanguageNames::count(), 116u);
}

TEST(DefaultLanguage, FromTheLocaleEnvironment) {
  struct Case {
    const char* lcAll;
    const char* lang;
    const char16_t* expected;
  };
  const Case cases[] = {
      {nullptr, nullptr, u"English"},
      {"C", nullptr, u"English"},
      {"POSIX", "ja_JP.UTF-8", u"English"},
      {nullptr, "ja_JP.UTF-8", u"Japanese"},
      {"de_DE.UTF-8", "ja_JP.UTF-8", u"German"},
      {"", "fr_FR.UTF-8", u"French"},  // an empty variable counts as unset
      {"pt_BR.UTF-8", nullptr, u"Portuguese_brazilian"},
      {"pt_PT.UTF-8", nullptr, u"Portuguese_portugal"},
      {"zh_TW.UTF-8", nullptr, u"Chinese_traditional"},
      {"zh_HK", nullptr, u"Chinese_traditional"},
      {"zh_CN.GB18030", nullptr, u"Chinese_simplified"},
      {"sr_RS.UTF-8@latin", nullptr, u"Serbian_latin"},
      {"sr_RS.UTF-8", nullptr, u"Serbian_cyrillic"},
      {"hr_HR.UTF-8", nullptr, u"Croatian"},
      {"ko_KR.UTF-8", nullptr, u"Korean"},
      {"th_TH.UTF-8", nullptr, u"Thai"},
      {"fa_IR.UTF-8", nullptr, u"Persian"},
      {"not a locale", nullptr, u"English"},
  };
  for (const Case& c : cases) {
    lang_test::LocaleEnvironment environment;
    environment.set(c.lcAll, c.lang);
    EXPECT_EQ(str(s::lang::DefaultLanguage::refresh()), c.expected)
        << (c.lcAll ? c.lcAll : "-") << " / " << (c.lang ? c.lang : "-");
    // The kept name is the one just computed, and stays until the next refresh.
    EXPECT_EQ(str(s::lang::defaultLanguageName()), c.expected);
  }
}

}  // namespace

// The interface language from the POSIX locale: which variable wins, how locale names map to Windows
// language identifiers, and what unknown or malformed names give.
#include <win/locale.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <optional>
#include <string>

namespace {

const char* const kVariables[] = {"LC_ALL", "LC_MESSAGES", "LANG", "LC_CTYPE"};

// Clears the locale variables for each test and puts the original values back afterwards.
class UserLanguageTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (size_t i = 0; i < std::size(kVariables); ++i) {
      const char* value = std::getenv(kVariables[i]);
      if (value) saved_[i] = value;
      unsetenv(kVariables[i]);
    }
  }
  void TearDown() override {
    for (size_t i = 0; i < std::size(kVariables); ++i) {
      if (saved_[i])
        setenv(kVariables[i], saved_[i]->c_str(), 1);
      else
        unsetenv(kVariables[i]);
    }
  }

  // The identifier with LANG alone set to `name`.
  static LANGID forLang(const char* name) {
    setenv("LANG", name, 1);
    return GetUserDefaultUILanguage();
  }

 private:
  std::optional<std::string> saved_[std::size(kVariables)];
};

struct NameCase {
  const char* name;
  LANGID expected;
};

void expectAll(const NameCase* begin, const NameCase* end, LANGID (*lookup)(const char*)) {
  for (const NameCase* c = begin; c != end; ++c)
    EXPECT_EQ(lookup(c->name), c->expected) << '"' << c->name << "\" gave 0x" << std::hex << lookup(c->name);
}

TEST_F(UserLanguageTest, NothingSetIsUsEnglish) { EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409); }

TEST_F(UserLanguageTest, LcAllBeatsLcMessagesBeatsLang) {
  setenv("LANG", "de_DE.UTF-8", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0407);
  setenv("LC_MESSAGES", "fr_FR.UTF-8", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x040C);
  setenv("LC_ALL", "ja_JP.UTF-8", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0411);
  // An empty variable counts as unset.
  setenv("LC_ALL", "", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x040C);
  setenv("LC_MESSAGES", "", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0407);
}

TEST_F(UserLanguageTest, TheWinningVariableDecidesEvenWhenItIsCOrMalformed) {
  setenv("LANG", "de_DE.UTF-8", 1);
  setenv("LC_MESSAGES", "ko_KR.UTF-8", 1);
  setenv("LC_ALL", "C", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
  setenv("LC_ALL", "not a locale", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
  unsetenv("LC_ALL");
  setenv("LC_MESSAGES", "POSIX", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
}

TEST_F(UserLanguageTest, OtherCategoriesDoNotCount) {
  setenv("LC_CTYPE", "ja_JP.UTF-8", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0409);
  setenv("LANG", "it_IT.UTF-8", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0410);
}

TEST_F(UserLanguageTest, AllThreeQueriesAgree) {
  setenv("LANG", "zh_HK.UTF-8", 1);
  EXPECT_EQ(GetUserDefaultUILanguage(), 0x0C04);
  EXPECT_EQ(GetSystemDefaultUILanguage(), 0x0C04);
  EXPECT_EQ(GetUserDefaultLangID(), 0x0C04);
}

TEST_F(UserLanguageTest, LocaleNamesMapToTheirIdentifiers) {
  const NameCase cases[] = {
      {"C", 0x0409}, {"POSIX", 0x0409}, {"C.UTF-8", 0x0409}, {"C.utf8", 0x0409},
      {"en_US.UTF-8", 0x0409}, {"en_GB.UTF-8", 0x0809}, {"en", 0x0409}, {"EN_us", 0x0409},
      {"de_DE@euro", 0x0407}, {"de_DE.ISO-8859-15@euro", 0x0407}, {"de_AT.UTF-8", 0x0C07},
      {"de_CH", 0x0807},
      // Serbian: the script modifier decides, then the country.
      {"sr_RS@latin", 0x081A}, {"sr_RS.UTF-8@latin", 0x081A}, {"sr@latin", 0x081A}, {"sr_RS", 0x0C1A},
      {"sr_RS.UTF-8", 0x0C1A}, {"sr", 0x0C1A}, {"sr_ME", 0x081A}, {"sr_BA@latin", 0x181A},
      {"sr_BA", 0x1C1A}, {"sr_XK@latin", 0x081A},
      {"hr_HR.UTF-8", 0x041A}, {"hr_BA", 0x101A}, {"bs_BA", 0x141A}, {"bs_BA@cyrillic", 0x201A},
      // Chinese: Traditional in Taiwan and Hong Kong, Simplified in China and Singapore.
      {"zh_HK", 0x0C04}, {"zh_HK.UTF-8", 0x0C04}, {"zh_TW.Big5", 0x0404}, {"zh_MO", 0x1404},
      {"zh_CN.GB18030", 0x0804}, {"zh_SG", 0x1004}, {"zh", 0x0804}, {"yue_HK", 0x0C04}, {"cmn_TW", 0x0404},
      {"pt_PT", 0x0816}, {"pt_PT.UTF-8", 0x0816}, {"pt_BR.UTF-8", 0x0416}, {"pt", 0x0416}, {"pt-BR", 0x0416},
      {"es_ES.UTF-8", 0x0C0A}, {"es_MX", 0x080A}, {"es_419", 0x580A}, {"fr_CA", 0x0C0C},
      {"uz_UZ@cyrillic", 0x0843}, {"uz_UZ", 0x0443}, {"ca_ES@valencia", 0x0803}, {"ca_ES", 0x0403},
      {"nb_NO", 0x0414}, {"nn_NO", 0x0814}, {"th_TH", 0x041E}, {"he_IL", 0x040D},
  };
  expectAll(std::begin(cases), std::end(cases), &UserLanguageTest::forLang);
}

TEST_F(UserLanguageTest, EveryPackLanguageHasItsIdentifier) {
  // One usual locale per language of the language pack, in the pack's order.
  const NameCase cases[] = {
      {"en_US.UTF-8", 0x0409}, {"be_BY.UTF-8", 0x0423}, {"cs_CZ.UTF-8", 0x0405}, {"sr_RS.UTF-8", 0x0C1A},
      {"de_DE.UTF-8", 0x0407}, {"el_GR.UTF-8", 0x0408}, {"fr_FR.UTF-8", 0x040C}, {"it_IT.UTF-8", 0x0410},
      {"hu_HU.UTF-8", 0x040E}, {"pt_BR.UTF-8", 0x0416}, {"ru_RU.UTF-8", 0x0419}, {"tr_TR.UTF-8", 0x041F},
      {"zh_CN.UTF-8", 0x0804}, {"ja_JP.UTF-8", 0x0411}, {"ko_KR.UTF-8", 0x0412}, {"ar_EG.UTF-8", 0x0C01},
      {"id_ID.UTF-8", 0x0421}, {"bg_BG.UTF-8", 0x0402}, {"zh_TW.UTF-8", 0x0404}, {"da_DK.UTF-8", 0x0406},
      {"et_EE.UTF-8", 0x0425}, {"es_ES.UTF-8", 0x0C0A}, {"hr_HR.UTF-8", 0x041A}, {"nl_NL.UTF-8", 0x0413},
      {"fa_IR.UTF-8", 0x0429}, {"pl_PL.UTF-8", 0x0415}, {"ro_RO.UTF-8", 0x0418}, {"sr_RS@latin", 0x081A},
      {"sk_SK.UTF-8", 0x041B}, {"fi_FI.UTF-8", 0x040B}, {"sv_SE.UTF-8", 0x041D}, {"uk_UA.UTF-8", 0x0422},
      {"vec_IT.UTF-8", 0x0410}, {"vi_VN.UTF-8", 0x042A},
  };
  expectAll(std::begin(cases), std::end(cases), &UserLanguageTest::forLang);
}

TEST_F(UserLanguageTest, UnknownTerritoriesAndLanguagesFallBack) {
  const NameCase cases[] = {
      // A known language in a territory without an identifier of its own: the language's main one.
      {"de_BE.UTF-8", 0x0407}, {"fr_SN", 0x040C}, {"ru_UA.UTF-8", 0x0419}, {"en_NG", 0x0409},
      {"ar_SD", 0x0401}, {"pt_AO", 0x0416}, {"zh_XX", 0x0804},
      // Languages with no identifier at all: US English.
      {"eo", 0x0409}, {"eo_XX.UTF-8", 0x0409}, {"xx_YY", 0x0409}, {"tlh", 0x0409},
  };
  expectAll(std::begin(cases), std::end(cases), &UserLanguageTest::forLang);
}

TEST_F(UserLanguageTest, MalformedNamesAreUsEnglish) {
  const NameCase cases[] = {
      {"e", 0x0409}, {"english", 0x0409}, {"English_United States.1252", 0x0409}, {"en_", 0x0409},
      {"en_USA", 0x0409}, {"en_U1", 0x0409}, {"en_US.", 0x0409}, {"en_US@", 0x0409}, {"de_DE@", 0x0409},
      {"ja_JP.UTF 8", 0x0409}, {"/etc/passwd", 0x0409}, {"../de_DE", 0x0409}, {"12_34", 0x0409},
      {"de_DE.UTF-8@euro@x", 0x0409}, {"fr_FR.UTF-8\n", 0x0409}, {" de_DE", 0x0409}, {"_DE", 0x0409},
      {".UTF-8", 0x0409}, {"@latin", 0x0409}, {"c", 0x0409}, {"ja_JP.\xff", 0x0409},
  };
  expectAll(std::begin(cases), std::end(cases), &UserLanguageTest::forLang);
}

TEST(LanguageIdMacros, BuildAndSplitIdentifiers) {
  EXPECT_EQ(MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE), 0x0816);
  EXPECT_EQ(MAKELANGID(LANG_PORTUGUESE, SUBLANG_PORTUGUESE_BRAZILIAN), 0x0416);
  EXPECT_EQ(MAKELANGID(LANG_SERBIAN, SUBLANG_SERBIAN_LATIN), 0x081A);
  EXPECT_EQ(MAKELANGID(LANG_CHINESE, SUBLANG_CHINESE_SIMPLIFIED), 0x0804);
  EXPECT_EQ(MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US), 0x0409);
  EXPECT_EQ(PRIMARYLANGID(0x0C04), LANG_CHINESE);
  EXPECT_EQ(SUBLANGID(0x0C04), SUBLANG_CHINESE_HONGKONG);
  EXPECT_EQ(PRIMARYLANGID(0x1C1A), LANG_SERBIAN);
  EXPECT_EQ(SUBLANGID(0x1C1A), SUBLANG_SERBIAN_BOSNIA_HERZEGOVINA_CYRILLIC);
}

}  // namespace

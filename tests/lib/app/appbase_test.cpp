#include "AppFixture.h"
#include "file/IPath.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"
#include "process/commandline/ICommandLine.h"
#include "xml/MappedData.h"

using s::app::win::AppBase;
using testing_app::text;

namespace {

class AppBaseTest : public testing_app::AppFixture {};

TEST_F(AppBaseTest, InitialisationGathersIdentityPathsTextsAndSettings) {
  AppBase* app = initialised();
  EXPECT_EQ(text(app->getSoftwareType()), u"Freeware");
  EXPECT_EQ(app->getTextBase(), 500000);
  EXPECT_EQ(app->getCommandLine()->getCount(), 0u);
  ASSERT_NE(app->getExePath(), nullptr);
  EXPECT_TRUE(text(app->getExePath()->getText()).ends_with(u"/test_lib_app"));
  ASSERT_NE(app->getExeFolder(), nullptr);
  EXPECT_EQ(text(app->getExeFolder()->getText()) + u"/test_lib_app", text(app->getExePath()->getText()));
  EXPECT_EQ(text(app->text(500000)), u"Vesper");
  EXPECT_EQ(app->getMenuLocalizer(), nullptr);
  EXPECT_FALSE(app->hasSkinner());
  EXPECT_EQ(app->getIcon16(), nullptr);
  EXPECT_EQ(app->getLogo1(), nullptr);
  ASSERT_NE(app->getSettings(), nullptr);
  EXPECT_TRUE(app->getSettings()->getAutoSave());
  EXPECT_EQ(stored("SoftwareType"), "Freeware");
  EXPECT_EQ(stored("SoftwareID"), "Tarn Vesper");
  EXPECT_EQ(stored("Version"), "1.0.0");
}

struct LanguageCase {
  const char* locale;
  const char* storedBefore;  // null: nothing stored
  const char16_t* selected;
  const char* storedAfter;
};

TEST_F(AppBaseTest, TheLanguageAtStartIsTheStoredOneOrTheUsersAndOnlyAWrongNameIsRewritten) {
  const LanguageCase cases[] = {
      {"en_US.UTF-8", nullptr, u"English", "<missing>"},
      {"de_DE.UTF-8", nullptr, u"German", "<missing>"},
      {"xx_XX.UTF-8", nullptr, u"English", "<missing>"},
      {"de_DE.UTF-8", "Klingon", u"English", "English"},
      {"de_DE.UTF-8", "", u"English", "English"},
      {"en_US.UTF-8", "japanese", u"Japanese", "japanese"},
      {"en_US.UTF-8", "FRENCH", u"French", "FRENCH"},
      // A language variant stands in for its family name, which is then corrected to the variant.
      {"en_US.UTF-8", "Chinese", u"Chinese_Simplified", "Chinese_Simplified"},
  };
  for (const LanguageCase& c : cases) {
    std::string name = std::string(c.locale) + " / " + (c.storedBefore ? c.storedBefore : "nothing");
    runReg("delete 'HKCU\\Software\\Tarn' /f");
    if (c.storedBefore) store("Language", c.storedBefore);
    useLocale(c.locale);
    AppBase* app = initialised();
    EXPECT_EQ(text(app->getLocalizer()->getCurrent()->getEngName()->getText()), c.selected) << name;
    EXPECT_EQ(stored("Language"), c.storedAfter) << name;
  }
}

TEST_F(AppBaseTest, TheLanguageSettingReadsTheCurrentPackUntilOneIsStored) {
  AppBase* app = initialised();
  EXPECT_EQ(text(app->getLanguageSetting()), u"English");
  app->setLanguageSetting(u"Italian");
  EXPECT_EQ(stored("Language"), "Italian");
  EXPECT_EQ(text(app->getLanguageSetting()), u"Italian");
}

TEST_F(AppBaseTest, TheSkinSettingIsStoredUnderSkin) {
  AppBase* app = initialised();
  EXPECT_EQ(text(app->getSkinSetting()), u"");
  app->setSkinSetting(u"Classic LG");
  EXPECT_EQ(stored("Skin"), "Classic LG");
  EXPECT_EQ(text(app->getSkinSetting()), u"Classic LG");
}

TEST_F(AppBaseTest, ReleaseGivesEverythingBackAndTheNextInitialisationStartsAfresh) {
  AppBase* app = initialised();
  app->saveSettings();
  app->release();
  application = nullptr;
  AppBase* again = AppBase::acquire();
  EXPECT_EQ(again->getCommandLine(), nullptr);
  EXPECT_EQ(again->getLocalizer(), nullptr);
  EXPECT_EQ(again->getSettings(), nullptr);
  EXPECT_EQ(again->getExePath(), nullptr);
  again->release();
  // Initialising twice without a release in between leaves one consistent object.
  AppBase* twice = initialised();
  EXPECT_TRUE(twice->initialise(&testing_app::frameworkApp()));
  EXPECT_EQ(text(twice->text(300000)), u"Tarn Vesper");
}

TEST_F(AppBaseTest, TheXmlStoreLivesBesideTheExecutableAndIsNotWrittenUnasked) {
  AppBase* app = initialised();
  auto* store = static_cast<s::xml::MappedData*>(app->openXmlSettings());
  ASSERT_NE(store, nullptr);
  EXPECT_EQ(text(store->getFile()->getText()), text(app->getExeFolder()->getText()) + u"/savedata/SaveData.xml");
  EXPECT_EQ(store->getString(u"Any", u"", u"none", nullptr, false), std::u16string(u"none"));
  store->release();
}

}  // namespace

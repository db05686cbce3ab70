#include <win/user.h>

#include "AppFixture.h"
#include "app/win/AppWindow.h"
#include "map/IMappedData.h"

using s::app::win::AppWindow;
using testing_app::text;

namespace {

class AppWindowTest : public testing_app::AppFixture {
 protected:
  void SetUp() override {
    AppFixture::SetUp();
    initialised();
  }
  void TearDown() override {
    if (record) record->release();
    AppFixture::TearDown();
  }
  AppWindow* mainWindow() {
    if (record) record->release();
    record = AppWindow::acquire();
    record->bind(application, u"MainWindow", application->getSoftwareType(), 230, 230, false, AppWindow::kClose,
                 application->getSkinner(), nullptr);
    return record;
  }
  s::map::IMappedData* settings() { return application->getSettings(); }
  AppWindow* record = nullptr;
};

TEST_F(AppWindowTest, BindingWritesTheIdentificationBelowTheWindowName) {
  mainWindow();
  EXPECT_EQ(stored("MainWindow\\SoftwareType"), "Freeware");
  EXPECT_EQ(stored("MainWindow\\SoftwareID"), "Tarn Vesper");
  EXPECT_EQ(stored("MainWindow\\Version"), "1.0.0");
  EXPECT_TRUE(settings()->getAutoSave());
}

TEST_F(AppWindowTest, AFirstStartHasNoSavedValuesAndTheChosenDefaults) {
  AppWindow* w = mainWindow();
  EXPECT_FALSE(w->hasPosition());
  EXPECT_FALSE(w->hasWidth());
  EXPECT_EQ(w->getX(), 0);
  EXPECT_EQ(w->getY(), 0);
  EXPECT_EQ(w->getWidth(), 230);
  EXPECT_EQ(w->getHeight(), 230);
  EXPECT_TRUE(w->getEasyDrag());
  EXPECT_FALSE(w->getKeepOnTop());
  EXPECT_FALSE(w->getMaximized());
  EXPECT_EQ(w->getOnMClick(), AppWindow::kClose);
  EXPECT_EQ(w->getLocalizer(), application->getLocalizer());
  EXPECT_EQ(text(w->composeKey(u"View")), u"MainWindow\\View");
}

TEST_F(AppWindowTest, BoundsAreStoredBelowViewAndForgottenTogether) {
  AppWindow* w = mainWindow();
  w->setBounds(-40, 70, 300, 310);
  EXPECT_TRUE(w->hasPosition());
  EXPECT_EQ(w->getX(), -40);
  EXPECT_EQ(w->getHeight(), 310);
  EXPECT_EQ(settings()->getI32(u"MainWindow\\View", u"Width", 0), 300);
  w->setKeepOnTop(true);
  w->forgetBounds();
  EXPECT_FALSE(w->hasX());
  EXPECT_FALSE(w->hasY());
  EXPECT_FALSE(w->hasWidth());
  EXPECT_FALSE(w->hasHeight());
  EXPECT_EQ(w->getWidth(), 230);
  EXPECT_TRUE(w->getKeepOnTop());
  w->setSize(100, 120);
  EXPECT_FALSE(w->hasPosition());
  EXPECT_EQ(w->getWidth(), 100);
}

TEST_F(AppWindowTest, SizesArePlausibleFromTenUpToTheVirtualScreen) {
  AppWindow* w = mainWindow();
  const int32_t screenWidth = GetSystemMetrics(SM_CXVIRTUALSCREEN);
  const int32_t screenHeight = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  const struct {
    int32_t width, height;
    bool widthOk, heightOk;
  } cases[] = {
      {9, 9, false, false},   {10, 10, true, true}, {screenWidth, screenHeight, true, true},
      {screenWidth + 1, screenHeight + 1, false, false}, {-230, 0, false, false},
  };
  for (const auto& c : cases) {
    w->setSize(c.width, c.height);
    EXPECT_EQ(w->isWidthPlausible(), c.widthOk) << c.width;
    EXPECT_EQ(w->isHeightPlausible(), c.heightOk) << c.height;
  }
}

TEST_F(AppWindowTest, TheStoredMouseWheelClickActionIsReadAsOneOfTheThreeConstants) {
  const struct {
    const char16_t* stored;
    const char16_t* action;
  } cases[] = {
      {u"iconize", AppWindow::kIconize}, {u"Iconize", AppWindow::kIconize}, {u"CLOSE", AppWindow::kClose},
      {u"DoNothing", AppWindow::kDoNothing}, {u"Minimize", AppWindow::kDoNothing}, {u"", AppWindow::kDoNothing},
  };
  for (const auto& c : cases) {
    settings()->setString(u"MainWindow\\View", u"OnMClick", c.stored);
    AppWindow* w = mainWindow();
    EXPECT_EQ(w->getMouseWheelClickAction(), c.action) << std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored));
    EXPECT_EQ(w->getOnMClick(), c.action) << std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored));
    EXPECT_EQ(w->isOnMClickIconize(), c.action == AppWindow::kIconize) << std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored));
    EXPECT_EQ(w->isOnMClickClose(), c.action == AppWindow::kClose) << std::string(c.stored, c.stored + std::char_traits<char16_t>::length(c.stored));
  }
}

TEST_F(AppWindowTest, SettingTheActionWritesOnlyAChange) {
  AppWindow* w = mainWindow();
  w->setOnMClick(AppWindow::kClose);
  EXPECT_FALSE(settings()->hasValue(u"MainWindow\\View", u"OnMClick"));
  w->setOnMClick(AppWindow::kIconize);
  EXPECT_EQ(text(settings()->getString(u"MainWindow\\View", u"OnMClick", u"", nullptr, false)), u"Iconize");
  EXPECT_EQ(mainWindow()->getMouseWheelClickAction(), AppWindow::kIconize);
}

TEST_F(AppWindowTest, ARecordWithItsOwnSkinManagerKeepsItsSkinUnderItsName) {
  // Any object other than the application's skin manager (there is none) makes the skin the record's own.
  int ownSkinner = 0;
  auto* skinner = reinterpret_cast<s::gui::drawer::Skinner*>(&ownSkinner);
  AppWindow* about = AppWindow::acquire();
  about->bind(application, u"AboutWindow", application->getSoftwareType(), 340, 285, true, AppWindow::kClose, skinner,
              u"Classic LG");
  EXPECT_TRUE(about->ownsItsSkinner());
  EXPECT_TRUE(about->getKeepOnTop());
  EXPECT_EQ(text(about->getSkin()), u"Classic LG");
  about->setSkin(u"Pine");
  EXPECT_EQ(stored("AboutWindow\\Skin"), "Pine");
  EXPECT_EQ(text(about->getSkin()), u"Pine");
  EXPECT_EQ(stored("Skin"), "<missing>");
  about->release();
  // A record without a skin manager of its own uses the application's skin setting.
  AppWindow* w = mainWindow();
  EXPECT_FALSE(w->ownsItsSkinner());
  w->setSkin(u"Shared");
  EXPECT_EQ(stored("Skin"), "Shared");
}

TEST_F(AppWindowTest, AReleasedRecordComesBackUnbound) {
  AppWindow* w = mainWindow();
  w->setOnMClick(AppWindow::kDoNothing);
  w->release();
  record = AppWindow::acquire();
  EXPECT_EQ(record->getApplication(), nullptr);
  EXPECT_EQ(text(record->getName()), u"");
  EXPECT_EQ(record->getWidth(), 500);
  EXPECT_EQ(record->getHeight(), 500);
  EXPECT_TRUE(record->getEasyDrag());
  EXPECT_EQ(record->getMouseWheelClickAction(), AppWindow::kClose);
  EXPECT_EQ(record->getLocalizer(), nullptr);
  EXPECT_FALSE(record->hasPosition());
}

}  // namespace

#include "app/win/AppWindow.h"

#include "app/IAppBase.h"
#include "base/thread/EasyPooler.h"
#include "lang/Localizer.h"
#include "map/IMappedData.h"

namespace s::app::win {

S_POOLED_IMPL(AppWindow, s::thread::EasyPooler::kDefaultLimit)

AppWindow::AppWindow() { reset(); }

AppWindow::~AppWindow() { reset(); }

void AppWindow::reset() {
  readBuffer.freeMemory();
  keyBuffer.freeMemory();
  application = nullptr;
  name.freeMemory();
  softwareType = u"Freeware";
  textBase = kTextBase;
  if (localizer) localizer->release();
  localizer = nullptr;
  // Skin managers do not exist in this program yet; an owned one would be given back here.
  skinner = nullptr;
  ownsSkinner = false;
  defaultSkin.freeMemory();
  defaultWidth = 500;
  defaultHeight = 500;
  defaultEasyDrag = true;
  defaultMaximized = false;
  defaultKeepOnTop = false;
  mouseWheelClickAction = kClose;
}

s::map::IMappedData* AppWindow::store() const { return application ? application->getSettings() : nullptr; }

const char16_t* AppWindow::text(int32_t id) const {
  s::lang::Localizer* source = application ? application->getLocalizer() : nullptr;
  return source ? source->text(id) : u"";
}

const char16_t* AppWindow::composeKey(const char16_t* word) {
  keyBuffer.setStr(&name);
  keyBuffer.appendChar(u'\\');
  keyBuffer.appendText(word);
  return keyBuffer.getText();
}

s::lang::Localizer* AppWindow::getLocalizer() const {
  if (localizer) return localizer;
  return application ? application->getLocalizer() : nullptr;
}

const char16_t* AppWindow::getSkin() {
  if (!ownsSkinner || !skinner) return application ? application->getSkinSetting() : u"";
  s::map::IMappedData* settings = store();
  if (!settings) return defaultSkin.getText();
  // Checking the name against the record's own skin manager comes with the skin manager itself.
  const char16_t* stored = settings->getString(composeKey(u"Skin"), u"", defaultSkin.getText(), nullptr, false);
  readBuffer.setText(stored);
  return readBuffer.getText();
}

void AppWindow::setSkin(const char16_t* skin) {
  if (!ownsSkinner || !skinner) {
    if (application) application->setSkinSetting(skin);
    return;
  }
  if (s::map::IMappedData* settings = store()) settings->setString(composeKey(u"Skin"), u"", skin);
}

void AppWindow::writeIdentification() {
  s::map::IMappedData* settings = store();
  if (!settings) return;
  settings->setString(composeKey(u"SoftwareType"), u"", softwareType);
  settings->setString(composeKey(u"SoftwareID"), u"", text(kProductKeyText));
  settings->setString(composeKey(u"Version"), u"", text(textBase + 10));
}

void AppWindow::bind(IAppBase* app, const char16_t* windowName, const char16_t* type, int32_t width,
                     int32_t height, bool keepOnTop, const char16_t* defaultAction,
                     s::gui::drawer::Skinner* windowSkinner, const char16_t* skinName) {
  application = app;
  name.setText(windowName);
  softwareType = type ? type : u"Freeware";
  textBase = kTextBase;
  skinner = windowSkinner;
  s::gui::drawer::Skinner* shared = app ? app->getSkinner() : nullptr;
  ownsSkinner = windowSkinner != shared;
  // A shared skin manager would give its current skin as the default; this program has none.
  defaultSkin.clear();
  if (ownsSkinner && skinName) defaultSkin.setText(skinName);
  defaultWidth = width;
  defaultHeight = height;
  defaultKeepOnTop = keepOnTop;
  mouseWheelClickAction = actionOf(defaultAction);
  defaultEasyDrag = true;
  defaultMaximized = false;

  s::map::IMappedData* settings = store();
  bool autoSave = settings && settings->getAutoSave();
  if (settings) settings->setAutoSave(false);
  writeIdentification();
  if (localizer && app) localizer->selectByName(app->getLanguageSetting());
  mouseWheelClickAction = getOnMClick();
  if (settings) settings->setAutoSave(autoSave);
}

}  // namespace s::app::win

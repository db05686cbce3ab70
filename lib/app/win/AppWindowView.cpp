// The record's view values below "<name>\View": position, size and the window options, each read
// with the record's default and written at once.
#include <win/crt.h>
#include <win/user.h>

#include "app/win/AppWindow.h"
#include "map/IMappedData.h"

namespace s::app::win {

namespace {

constexpr int32_t kSmallestPlausible = 10;

}  // namespace

bool AppWindow::hasView(const char16_t* value) {
  s::map::IMappedData* settings = store();
  return settings && settings->hasValue(composeKey(u"View"), value);
}

int32_t AppWindow::getViewInt(const char16_t* value, int32_t defaultValue) {
  s::map::IMappedData* settings = store();
  return settings ? settings->getI32(composeKey(u"View"), value, defaultValue) : defaultValue;
}

void AppWindow::setViewInt(const char16_t* value, int32_t number) {
  if (s::map::IMappedData* settings = store()) settings->setI32(composeKey(u"View"), value, number);
}

bool AppWindow::getViewBool(const char16_t* value, bool defaultValue) {
  s::map::IMappedData* settings = store();
  return settings ? settings->getBool(composeKey(u"View"), value, defaultValue) : defaultValue;
}

void AppWindow::setViewBool(const char16_t* value, bool on) {
  if (s::map::IMappedData* settings = store()) settings->setBool(composeKey(u"View"), value, on);
}

void AppWindow::setBounds(int32_t x, int32_t y, int32_t width, int32_t height) {
  setX(x);
  setY(y);
  setWidth(width);
  setHeight(height);
}

void AppWindow::setSize(int32_t width, int32_t height) {
  setWidth(width);
  setHeight(height);
}

void AppWindow::forgetBounds() {
  s::map::IMappedData* settings = store();
  if (!settings) return;
  for (const char16_t* value : {u"X", u"Y", u"Width", u"Height"}) settings->removeValue(composeKey(u"View"), value);
}

bool AppWindow::isWidthPlausible() {
  int32_t width = getWidth();
  return width >= kSmallestPlausible && width <= GetSystemMetrics(SM_CXVIRTUALSCREEN);
}

bool AppWindow::isHeightPlausible() {
  int32_t height = getHeight();
  return height >= kSmallestPlausible && height <= GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

const char16_t* AppWindow::actionOf(const char16_t* text) {
  if (!text) return kDoNothing;
  if (_wcsicmp(text, kIconize) == 0) return kIconize;
  if (_wcsicmp(text, kClose) == 0) return kClose;
  return kDoNothing;
}

const char16_t* AppWindow::readOnMClick() {
  s::map::IMappedData* settings = store();
  const char16_t* stored =
      settings ? settings->getString(composeKey(u"View"), u"OnMClick", mouseWheelClickAction, nullptr, false)
               : mouseWheelClickAction;
  readBuffer.setText(stored);
  return readBuffer.getText();
}

const char16_t* AppWindow::getOnMClick() { return actionOf(readOnMClick()); }

bool AppWindow::isOnMClickClose() {
  mouseWheelClickAction = actionOf(readOnMClick());
  return mouseWheelClickAction == kClose;
}

bool AppWindow::isOnMClickIconize() {
  mouseWheelClickAction = actionOf(readOnMClick());
  return mouseWheelClickAction == kIconize;
}

void AppWindow::setOnMClick(const char16_t* action) {
  if (!action || action == mouseWheelClickAction) return;
  mouseWheelClickAction = action;
  if (s::map::IMappedData* settings = store()) settings->setString(composeKey(u"View"), u"OnMClick", action);
}

}  // namespace s::app::win

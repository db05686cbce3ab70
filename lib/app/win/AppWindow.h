// The window record of one named top-level window ("MainWindow", "AboutWindow"): the defaults the
// application gave it and the options the user changed, kept in the application's settings below
// "<name>\View" and "<name>\Skin". Binding writes the record's identification values and reads the
// stored mouse-wheel click action.
#pragma once

#include <cstdint>

#include "app/IAppWindow.h"
#include "base/str/strbuffer/StrBuffer.h"

namespace s::map {
class IMappedData;
}

namespace s::app::win {

class AppWindow final : public IAppWindow {
  S_CLASS_NAME(u"s_app_win_AppWindow")
  S_POOLED(AppWindow)

 public:
  using StrBuffer = s::str::strbuffer::StrBuffer;

  static constexpr int32_t kTextBase = 500000;
  static constexpr int32_t kProductKeyText = 300000;

  AppWindow();
  ~AppWindow() override;
  AppWindow(const AppWindow&) = delete;
  AppWindow& operator=(const AppWindow&) = delete;

  // Unbound, with the defaults of a fresh record (500 x 500, Easy Drag on, action "Close").
  void reset() override;

  IAppBase* getApplication() const override { return application; }
  const char16_t* getName() override { return name.getText(); }
  const char16_t* composeKey(const char16_t* word) override;
  int32_t getTextBase() const override { return textBase; }
  s::lang::Localizer* getLocalizer() const override;
  bool hasSkinner() const override { return skinner != nullptr; }
  s::gui::drawer::Skinner* getSkinner() const override { return skinner; }
  const char16_t* getSkin() override;
  void setSkin(const char16_t* skin) override;
  bool hasPosition() override { return hasX() && hasY(); }
  void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) override;
  void setSize(int32_t width, int32_t height) override;
  void forgetBounds() override;
  bool hasX() override { return hasView(u"X"); }
  int32_t getX() override { return getViewInt(u"X", 0); }
  void setX(int32_t x) override { setViewInt(u"X", x); }
  bool hasY() override { return hasView(u"Y"); }
  int32_t getY() override { return getViewInt(u"Y", 0); }
  void setY(int32_t y) override { setViewInt(u"Y", y); }
  bool hasWidth() override { return hasView(u"Width"); }
  int32_t getWidth() override { return getViewInt(u"Width", defaultWidth); }
  void setWidth(int32_t width) override { setViewInt(u"Width", width); }
  bool hasHeight() override { return hasView(u"Height"); }
  int32_t getHeight() override { return getViewInt(u"Height", defaultHeight); }
  void setHeight(int32_t height) override { setViewInt(u"Height", height); }
  bool isWidthPlausible() override;
  bool isHeightPlausible() override;
  bool getEasyDrag() override { return getViewBool(u"EasyDrag", defaultEasyDrag); }
  void setEasyDrag(bool on) override { setViewBool(u"EasyDrag", on); }
  bool getMaximized() override { return getViewBool(u"Maximized", defaultMaximized); }
  void setMaximized(bool on) override { setViewBool(u"Maximized", on); }
  bool getKeepOnTop() override { return getViewBool(u"KeepOnTop", defaultKeepOnTop); }
  void setKeepOnTop(bool on) override { setViewBool(u"KeepOnTop", on); }
  bool isOnMClickClose() override;
  bool isOnMClickIconize() override;
  const char16_t* getOnMClick() override;
  void setOnMClick(const char16_t* action) override;
  void bind(IAppBase* application, const char16_t* name, const char16_t* softwareType, int32_t defaultWidth,
            int32_t defaultHeight, bool defaultKeepOnTop, const char16_t* defaultAction,
            s::gui::drawer::Skinner* skinner, const char16_t* defaultSkin) override;

  // The action the record holds now.
  const char16_t* getMouseWheelClickAction() const { return mouseWheelClickAction; }
  bool ownsItsSkinner() const { return ownsSkinner; }
  const char16_t* getDefaultSkin() { return defaultSkin.getText(); }

 private:
  // The application's settings store; null while the record is unbound.
  s::map::IMappedData* store() const;
  bool hasView(const char16_t* value);
  int32_t getViewInt(const char16_t* value, int32_t defaultValue);
  void setViewInt(const char16_t* value, int32_t number);
  bool getViewBool(const char16_t* value, bool defaultValue);
  void setViewBool(const char16_t* value, bool on);
  // The stored "OnMClick" text (the current action when none is stored), kept in readBuffer.
  const char16_t* readOnMClick();
  // The constant whose text equals `text` ignoring case, else "DoNothing".
  static const char16_t* actionOf(const char16_t* text);
  // The product text of that entry from the application (the empty text when unbound).
  const char16_t* text(int32_t id) const;
  void writeIdentification();

  StrBuffer readBuffer;
  StrBuffer keyBuffer;
  IAppBase* application = nullptr;
  StrBuffer name;
  const char16_t* softwareType = u"Freeware";
  int32_t textBase = kTextBase;
  s::lang::Localizer* localizer = nullptr;
  s::gui::drawer::Skinner* skinner = nullptr;
  bool ownsSkinner = false;
  StrBuffer defaultSkin;
  int32_t defaultWidth = 500;
  int32_t defaultHeight = 500;
  bool defaultEasyDrag = true;
  bool defaultMaximized = false;
  bool defaultKeepOnTop = false;
  const char16_t* mouseWheelClickAction = kClose;
};

}  // namespace s::app::win

// The window record's interface: for one named top-level window, the defaults the application chose
// and the options the user changes (position, size, Maximized, Easy Drag, Keep on Top, the
// mouse-wheel click action, the skin), read from and written to the application's settings under
// the window's name.
#pragma once

#include <cstdint>

#include "base/IObject.h"
#include "base/thread/IPoolable.h"

namespace s::gui::drawer {
class Skinner;
}
namespace s::lang {
class Localizer;
}

namespace s::app {

class IAppBase;

class IAppWindow : public s::base::IObject, public s::thread::IPoolable {
 public:
  using IObject::destroy;

  // The three mouse-wheel click actions. A record's action is always one of these addresses.
  static constexpr char16_t kDoNothing[] = u"DoNothing";
  static constexpr char16_t kIconize[] = u"Iconize";
  static constexpr char16_t kClose[] = u"Close";

  virtual IAppBase* getApplication() const = 0;
  virtual const char16_t* getName() = 0;
  // name + "\" + word, kept in the record until the next call.
  virtual const char16_t* composeKey(const char16_t* word) = 0;
  virtual int32_t getTextBase() const = 0;
  // The record's own localizer, else the application's.
  virtual s::lang::Localizer* getLocalizer() const = 0;
  virtual bool hasSkinner() const = 0;
  virtual s::gui::drawer::Skinner* getSkinner() const = 0;
  virtual const char16_t* getSkin() = 0;
  virtual void setSkin(const char16_t* skin) = 0;
  virtual bool hasPosition() = 0;
  virtual void setBounds(int32_t x, int32_t y, int32_t width, int32_t height) = 0;
  virtual void setSize(int32_t width, int32_t height) = 0;
  // Deletes the saved X, Y, Width and Height.
  virtual void forgetBounds() = 0;
  virtual bool hasX() = 0;
  virtual int32_t getX() = 0;
  virtual void setX(int32_t x) = 0;
  virtual bool hasY() = 0;
  virtual int32_t getY() = 0;
  virtual void setY(int32_t y) = 0;
  virtual bool hasWidth() = 0;
  virtual int32_t getWidth() = 0;
  virtual void setWidth(int32_t width) = 0;
  virtual bool hasHeight() = 0;
  virtual int32_t getHeight() = 0;
  virtual void setHeight(int32_t height) = 0;
  // 10 up to the width (height) of the virtual screen.
  virtual bool isWidthPlausible() = 0;
  virtual bool isHeightPlausible() = 0;
  virtual bool getEasyDrag() = 0;
  virtual void setEasyDrag(bool on) = 0;
  virtual bool getMaximized() = 0;
  virtual void setMaximized(bool on) = 0;
  virtual bool getKeepOnTop() = 0;
  virtual void setKeepOnTop(bool on) = 0;
  // Read the stored action, make it current and tell whether it is "Close" (resp. "Iconize").
  virtual bool isOnMClickClose() = 0;
  virtual bool isOnMClickIconize() = 0;
  // The stored action as one of the three constants; the current action is left as it is.
  virtual const char16_t* getOnMClick() = 0;
  // Makes `action` (one of the constants) current and stores it, when it is not current already.
  virtual void setOnMClick(const char16_t* action) = 0;
  virtual void bind(IAppBase* application, const char16_t* name, const char16_t* softwareType,
                    int32_t defaultWidth, int32_t defaultHeight, bool defaultKeepOnTop,
                    const char16_t* defaultAction, s::gui::drawer::Skinner* skinner,
                    const char16_t* defaultSkin) = 0;
};

}  // namespace s::app

// The font a device context draws with, made ready on first use. Callers hold the drawing lock.
#pragma once

#include "gdi/DeviceContext.h"
#include "gdi/text/FontInstance.h"

namespace platform::gdi::text {

struct SelectedFont {
  Font* object = nullptr;
  FontInstance* instance = nullptr;
  // The selected font, or the stock font when the selection is no longer a font; null for a bad DC.
  static SelectedFont of(DeviceContext& dc);
  static FontInstance* instanceOf(Font& font);
};

}  // namespace platform::gdi::text

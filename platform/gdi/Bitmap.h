// A bitmap object: a surface plus how it was made, so GetObject can describe it as a DIB section.
#pragma once

#include "gdi/GdiObject.h"
#include "gdi/Surface.h"

#include <memory>

namespace platform::gdi {

struct Bitmap : GdiObject {
  Bitmap() : GdiObject(GdiKind::bitmap) {}
  std::shared_ptr<Surface> surface;
  bool dibSection = false;
  HDC selectedInto = nullptr;  // a bitmap is selected into one memory DC at a time
};

}  // namespace platform::gdi

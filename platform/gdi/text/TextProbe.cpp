#include "gdi/text/TextProbe.h"

#include "gdi/GdiObjects.h"
#include "gdi/text/SelectedFont.h"

namespace platform::gdi::text {

int missingGlyphs(HDC handle, const std::u16string& text) {
  std::lock_guard lock(GdiObjects::instance().mutex());
  DeviceContext* dc = GdiObjects::instance().dc(handle);
  if (!dc) return -1;
  SelectedFont font = SelectedFont::of(*dc);
  if (!font.instance) return -1;
  return font.instance->shape(text, false).missing;
}

}  // namespace platform::gdi::text

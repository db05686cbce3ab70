#include "gdi/text/SelectedFont.h"

#include "gdi/GdiObjects.h"

namespace platform::gdi::text {

FontInstance* SelectedFont::instanceOf(Font& font) {
  if (!font.instance) font.instance = FontInstance::forLogFont(font.logFont);
  return font.instance.get();
}

SelectedFont SelectedFont::of(DeviceContext& dc) {
  GdiObjects& objects = GdiObjects::instance();
  Font* font = objects.get<Font>(dc.state.font, GdiKind::font);
  // A deleted font leaves the DC drawing with the system font rather than with nothing.
  if (!font) font = objects.get<Font>(objects.stock(SYSTEM_FONT), GdiKind::font);
  if (!font) return SelectedFont{};
  return SelectedFont{font, instanceOf(*font)};
}

}  // namespace platform::gdi::text

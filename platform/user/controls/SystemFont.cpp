#include "user/controls/SystemFont.h"

#include <win/text.h>

#include <algorithm>
#include <iterator>

namespace platform::user::controls {

namespace {

HFONT make(LONG weight) {
  LOGFONTW font{};
  font.lfHeight = -12;
  font.lfWeight = weight;
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfQuality = CLEARTYPE_QUALITY;
  const char16_t face[] = u"MS Shell Dlg 2";
  std::copy(std::begin(face), std::end(face), font.lfFaceName);
  return CreateFontIndirectW(&font);
}

}  // namespace

HFONT SystemFont::normal() {
  static HFONT font = make(FW_NORMAL);
  return font;
}

HFONT SystemFont::bold() {
  static HFONT font = make(FW_BOLD);
  return font;
}

}  // namespace platform::user::controls

// Logical fonts: creating them, reading them back and the metrics of the selected one.
#include <win/error.h>
#include <win/text.h>

#include "gdi/GdiObjects.h"
#include "gdi/text/FontObject.h"
#include "gdi/text/SelectedFont.h"

#include <algorithm>
#include <cstring>

using platform::gdi::DeviceContext;
using platform::gdi::Font;
using platform::gdi::GdiObjects;
using platform::gdi::text::SelectedFont;

HFONT WINAPI CreateFontIndirectW(const LOGFONTW* description) {
  if (!description) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto font = std::make_unique<Font>();
  font->logFont = *description;
  // The face name is kept terminated whatever the caller filled in.
  font->logFont.lfFaceName[LF_FACESIZE - 1] = 0;
  return GdiObjects::instance().add(std::move(font));
}

HFONT WINAPI CreateFontW(int height, int width, int escapement, int orientation, int weight, DWORD italic,
                         DWORD underline, DWORD strikeOut, DWORD charSet, DWORD outPrecision, DWORD clipPrecision,
                         DWORD quality, DWORD pitchAndFamily, LPCWSTR faceName) {
  LOGFONTW lf{};
  lf.lfHeight = height;
  lf.lfWidth = width;
  lf.lfEscapement = escapement;
  lf.lfOrientation = orientation;
  lf.lfWeight = weight;
  lf.lfItalic = static_cast<BYTE>(italic);
  lf.lfUnderline = static_cast<BYTE>(underline);
  lf.lfStrikeOut = static_cast<BYTE>(strikeOut);
  lf.lfCharSet = static_cast<BYTE>(charSet);
  lf.lfOutPrecision = static_cast<BYTE>(outPrecision);
  lf.lfClipPrecision = static_cast<BYTE>(clipPrecision);
  lf.lfQuality = static_cast<BYTE>(quality);
  lf.lfPitchAndFamily = static_cast<BYTE>(pitchAndFamily);
  for (size_t i = 0; faceName && i + 1 < LF_FACESIZE && faceName[i]; ++i) lf.lfFaceName[i] = faceName[i];
  return CreateFontIndirectW(&lf);
}

BOOL WINAPI GetTextMetricsW(HDC handle, LPTEXTMETRICW metrics) {
  std::lock_guard lock(GdiObjects::instance().mutex());
  DeviceContext* dc = GdiObjects::instance().dc(handle);
  if (!dc || !metrics) return FALSE;
  SelectedFont font = SelectedFont::of(*dc);
  if (!font.instance) return FALSE;
  *metrics = font.instance->metrics();
  return TRUE;
}

int WINAPI GetTextFaceW(HDC handle, int size, LPWSTR name) {
  std::lock_guard lock(GdiObjects::instance().mutex());
  DeviceContext* dc = GdiObjects::instance().dc(handle);
  if (!dc) return 0;
  SelectedFont font = SelectedFont::of(*dc);
  if (!font.instance) return 0;
  std::u16string face = font.instance->faceName();
  if (!name) return static_cast<int>(face.size()) + 1;
  if (size <= 0) return 0;
  size_t n = std::min(face.size(), static_cast<size_t>(size - 1));
  std::copy_n(face.data(), n, name);
  name[n] = 0;
  return static_cast<int>(n);
}

namespace platform::gdi::text {

// GetObjectW of a font: its logical description as it was created.
int fontObject(GdiObject* object, int size, void* out) {
  auto* font = static_cast<Font*>(object);
  if (!out) return sizeof(LOGFONTW);
  int n = std::min(size, static_cast<int>(sizeof(LOGFONTW)));
  if (n <= 0) return 0;
  std::memcpy(out, &font->logFont, static_cast<size_t>(n));
  return n;
}

}  // namespace platform::gdi::text

#include <framework/Font.h>

#include <cstdlib>

namespace {

// Points to device pixels at the context's vertical resolution, rounded as MulDiv rounds.
LONG pixelsOf(int tenthsOfPoint, CDC* dc) {
  int dpi = dc && dc->m_hDC ? ::GetDeviceCaps(dc->m_hDC, LOGPIXELSY) : 96;
  if (dpi <= 0) dpi = 96;
  long long product = static_cast<long long>(tenthsOfPoint) * dpi;
  long long rounded = (std::llabs(product) + 360) / 720;
  return static_cast<LONG>(rounded);
}

}  // namespace

CFont::~CFont() { DeleteObject(); }

BOOL CFont::CreateFontIndirect(const LOGFONTW* font) {
  HFONT made = ::CreateFontIndirectW(font);
  if (!made) return FALSE;
  DeleteObject();
  m_hObject = made;
  return TRUE;
}

BOOL CFont::CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc) {
  LOGFONTW font{};
  font.lfCharSet = DEFAULT_CHARSET;
  font.lfHeight = pointSize;
  for (size_t i = 0; faceName && i + 1 < LF_FACESIZE && faceName[i]; ++i) font.lfFaceName[i] = faceName[i];
  return CreatePointFontIndirect(&font, dc);
}

BOOL CFont::CreatePointFontIndirect(const LOGFONTW* font, CDC* dc) {
  if (!font) return FALSE;
  LOGFONTW sized = *font;
  // lfHeight comes in tenths of a point; the font gets the character height in pixels.
  sized.lfHeight = -pixelsOf(font->lfHeight, dc);
  return CreateFontIndirect(&sized);
}

int CFont::GetLogFont(LOGFONTW* font) const {
  return m_hObject ? ::GetObjectW(m_hObject, sizeof(LOGFONTW), font) : 0;
}

BOOL CFont::DeleteObject() {
  if (!m_hObject) return FALSE;
  return ::DeleteObject(Detach());
}

BOOL CFont::Attach(HGDIOBJ font) {
  if (!font) return FALSE;
  DeleteObject();
  m_hObject = font;
  return TRUE;
}

HGDIOBJ CFont::Detach() {
  HGDIOBJ font = m_hObject;
  m_hObject = nullptr;
  return font;
}

// The framework's font: a CFont owns the HFONT it holds and deletes it when it goes or when another
// font is made in it. CreatePointFont takes tenths of a point and, without a device context, sizes
// the font for the screen at 96 dots per inch, as a character height (negative logical height).
#pragma once

#include <framework/Dc.h>
#include <win/gdi.h>
#include <win/text.h>

class CFont {
 public:
  CFont() = default;
  virtual ~CFont();
  CFont(const CFont&) = delete;
  CFont& operator=(const CFont&) = delete;

  HGDIOBJ m_hObject = nullptr;

  operator HFONT() const { return static_cast<HFONT>(m_hObject); }
  HFONT GetSafeHandle() const { return static_cast<HFONT>(m_hObject); }

  BOOL CreateFontIndirect(const LOGFONTW* font);
  BOOL CreatePointFont(int pointSize, LPCWSTR faceName, CDC* dc = nullptr);
  BOOL CreatePointFontIndirect(const LOGFONTW* font, CDC* dc = nullptr);
  int GetLogFont(LOGFONTW* font) const;
  BOOL DeleteObject();
  BOOL Attach(HGDIOBJ font);
  HGDIOBJ Detach();
};

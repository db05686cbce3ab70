#include <framework/Button.h>

BOOL CButton::Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id) {
  return CWnd::Create(WC_BUTTONW, caption, style, rect, parent, id);
}

int CButton::GetCheck() const { return static_cast<int>(SendMessage(BM_GETCHECK)); }

void CButton::SetCheck(int check) const { SendMessage(BM_SETCHECK, static_cast<WPARAM>(check)); }

UINT CButton::GetState() const { return static_cast<UINT>(SendMessage(BM_GETSTATE)); }

void CButton::SetState(BOOL pushed) const { SendMessage(BM_SETSTATE, static_cast<WPARAM>(pushed)); }

UINT CButton::GetButtonStyle() const { return static_cast<UINT>(GetStyle() & 0xFFFF); }

void CButton::SetButtonStyle(UINT style, BOOL redraw) const {
  SendMessage(BM_SETSTYLE, style, static_cast<LPARAM>(redraw));
}

BOOL CButton::GetIdealSize(SIZE* size) const {
  return static_cast<BOOL>(SendMessage(BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(size)));
}

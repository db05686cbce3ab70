// The framework's button: a CWnd over a window of the system's BUTTON class, with the check, state
// and style messages as member functions. Button-like components of the toolkit derive from it.
#pragma once

#include <framework/Wnd.h>

#include <win/controls.h>

class CButton : public CWnd {
 public:
  // Creates the button as a child of `parent`; `style` holds the WS_ and BS_ bits.
  virtual BOOL Create(LPCWSTR caption, DWORD style, const RECT& rect, CWnd* parent, UINT id);
  using CWnd::Create;

  int GetCheck() const;
  void SetCheck(int check) const;
  UINT GetState() const;
  void SetState(BOOL pushed) const;
  UINT GetButtonStyle() const;
  void SetButtonStyle(UINT style, BOOL redraw = TRUE) const;
  // The size that shows the whole caption in the button's font.
  BOOL GetIdealSize(SIZE* size) const;
};

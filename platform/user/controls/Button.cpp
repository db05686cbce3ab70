#include "user/controls/Button.h"

#include "user/controls/ButtonPainter.h"
#include "user/controls/ControlData.h"

#include <win/controls.h>
#include <win/text.h>

#include <string>

namespace platform::user::controls {

namespace {

// What a button keeps between messages; it lives in the window's extra bytes as a pointer.
struct ButtonData {
  UINT check = BST_UNCHECKED;
  bool pushed = false;     // drawn pressed
  bool tracking = false;   // the left button went down on it and it holds the capture
  bool spaceDown = false;  // the space key went down while it had the focus
  bool focused = false;
  HFONT font = nullptr;
};

DWORD kindOf(HWND window) { return static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)) & BS_TYPEMASK; }

bool isCheckKind(DWORD kind) {
  return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_3STATE || kind == BS_AUTO3STATE ||
         kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

std::u16string captionOf(HWND window) {
  int length = GetWindowTextLengthW(window);
  std::u16string text(static_cast<size_t>(length) + 1, u'\0');
  int copied = GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
  return text;
}

void redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

void notifyParent(HWND window, WORD code) {
  HWND parent = GetParent(window);
  if (!parent) return;
  WPARAM wParam = MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(window)), code);
  SendMessageW(parent, WM_COMMAND, wParam, reinterpret_cast<LPARAM>(window));
}

// A click: automatic kinds change their check first (through the window's own procedure, so that a
// subclass sees the check message), then the parent hears about it.
void click(HWND window) {
  DWORD kind = kindOf(window);
  ButtonData* data = windowData<ButtonData>(window);
  if (!data) return;
  if (kind == BS_AUTOCHECKBOX) {
    SendMessageW(window, BM_SETCHECK, data->check == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED, 0);
  } else if (kind == BS_AUTO3STATE) {
    SendMessageW(window, BM_SETCHECK, (data->check + 1) % 3, 0);
  } else if (kind == BS_AUTORADIOBUTTON) {
    SendMessageW(window, BM_SETCHECK, BST_CHECKED, 0);
  }
  if (IsWindow(window)) notifyParent(window, BN_CLICKED);
}

bool inside(HWND window, LPARAM lParam) {
  RECT client;
  GetClientRect(window, &client);
  POINT p{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
  return PtInRect(&client, p) != FALSE;
}

void setPushed(HWND window, ButtonData* data, bool pushed) {
  if (data->pushed == pushed) return;
  data->pushed = pushed;
  redraw(window);
}

void paint(HWND window, ButtonData* data, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  DWORD kind = style & BS_TYPEMASK;
  HWND parent = GetParent(window);
  HBRUSH background = nullptr;
  SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
  if (parent)
    background = reinterpret_cast<HBRUSH>(
        SendMessageW(parent, WM_CTLCOLORBTN, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(window)));
  if (!background) background = GetSysColorBrush(COLOR_BTNFACE);
  FillRect(dc, &client, background);
  ButtonLook look;
  look.checkBox = isCheckKind(kind);
  look.pressed = data->pushed;
  look.focused = data->focused;
  look.enabled = IsWindowEnabled(window) != FALSE;
  look.isDefault = kind == BS_DEFPUSHBUTTON;
  look.checkState = data->check;
  look.leftText = (style & BS_LEFTTEXT) != 0;
  look.textColor = GetTextColor(dc);
  HGDIOBJ old = data->font ? SelectObject(dc, data->font) : nullptr;
  ButtonPainter::paint(dc, client, captionOf(window), look);
  if (old) SelectObject(dc, old);
}

SIZE idealSize(HWND window, ButtonData* data) {
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = data->font ? SelectObject(dc, data->font) : nullptr;
  SIZE size = ButtonPainter::idealSize(dc, isCheckKind(kindOf(window)), captionOf(window));
  if (old) SelectObject(dc, old);
  DeleteDC(dc);
  return size;
}

LRESULT setCheck(HWND window, ButtonData* data, WPARAM state) {
  DWORD kind = kindOf(window);
  if (!isCheckKind(kind)) return 0;
  UINT wanted = static_cast<UINT>(state) & 3;
  if (wanted == BST_INDETERMINATE && kind != BS_3STATE && kind != BS_AUTO3STATE) wanted = BST_CHECKED;
  if (wanted > BST_INDETERMINATE) wanted = BST_UNCHECKED;
  if (data->check != wanted) {
    data->check = wanted;
    redraw(window);
  }
  return 0;
}

LRESULT setStyle(HWND window, WPARAM style, LPARAM redrawNow) {
  DWORD old = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  DWORD updated = (old & 0xFFFF0000u) | (static_cast<DWORD>(style) & 0xFFFFu);
  if (updated != old) SetWindowLongW(window, GWL_STYLE, static_cast<LONG>(updated));
  if (redrawNow) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
  }
  return 0;
}

bool notifiesDoubleClicks(HWND window) {
  DWORD style = static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE));
  DWORD kind = style & BS_TYPEMASK;
  return (style & BS_NOTIFY) || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON || kind == BS_OWNERDRAW;
}

LRESULT mouseMessage(HWND window, ButtonData* data, UINT message, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDBLCLK:
      if (notifiesDoubleClicks(window)) {
        notifyParent(window, BN_DOUBLECLICKED);
        return 0;
      }
      [[fallthrough]];
    case WM_LBUTTONDOWN:
      if (GetFocus() != window) SetFocus(window);
      SetCapture(window);
      data->tracking = true;
      setPushed(window, data, true);
      return 0;
    case WM_MOUSEMOVE:
      if (data->tracking) setPushed(window, data, inside(window, lParam));
      return 0;
    case WM_LBUTTONUP: {
      if (!data->tracking) return 0;
      data->tracking = false;
      bool clicked = inside(window, lParam);
      setPushed(window, data, false);
      if (GetCapture() == window) ReleaseCapture();
      if (clicked) click(window);
      return 0;
    }
    case WM_CAPTURECHANGED:
      if (data->tracking && reinterpret_cast<HWND>(lParam) != window) {
        data->tracking = false;
        setPushed(window, data, false);
      }
      return 0;
    default:
      return 0;
  }
}

LRESULT keyMessage(HWND window, ButtonData* data, UINT message, WPARAM key, LPARAM lParam) {
  if (key != VK_SPACE) return DefWindowProcW(window, message, key, lParam);
  if (message == WM_KEYDOWN) {
    bool repeat = (lParam & (1L << 30)) != 0;
    if (!repeat && !data->tracking) {
      data->spaceDown = true;
      setPushed(window, data, true);
    }
  } else if (data->spaceDown) {
    data->spaceDown = false;
    setPushed(window, data, false);
    click(window);
  }
  return 0;
}

// Everything but the frame's messages (creation, destruction, erasing and painting).
LRESULT handle(HWND window, ButtonData* data, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_GETDLGCODE: {
      DWORD kind = kindOf(window);
      if (kind == BS_DEFPUSHBUTTON) return DLGC_BUTTON | DLGC_DEFPUSHBUTTON;
      if (kind == BS_PUSHBUTTON) return DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON;
      if (kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON) return DLGC_BUTTON | DLGC_RADIOBUTTON;
      return DLGC_BUTTON;
    }
    case WM_SETFONT:
      data->font = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam)) redraw(window);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(data->font);
    case WM_SETTEXT: {
      LRESULT r = DefWindowProcW(window, message, wParam, lParam);
      redraw(window);
      return r;
    }
    case WM_ENABLE:
      if (!wParam) {
        data->tracking = data->spaceDown = false;
        data->pushed = false;
      }
      redraw(window);
      return 0;
    case WM_SETFOCUS:
      data->focused = true;
      redraw(window);
      if (GetWindowLongW(window, GWL_STYLE) & BS_NOTIFY) notifyParent(window, BN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      data->focused = false;
      data->spaceDown = false;
      if (!data->tracking) data->pushed = false;
      redraw(window);
      if (GetWindowLongW(window, GWL_STYLE) & BS_NOTIFY) notifyParent(window, BN_KILLFOCUS);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_CAPTURECHANGED:
      return mouseMessage(window, data, message, lParam);
    case WM_KEYDOWN:
    case WM_KEYUP:
      return keyMessage(window, data, message, wParam, lParam);
    case WM_CHAR:
      return wParam == u' ' ? 0 : DefWindowProcW(window, message, wParam, lParam);
    case BM_GETCHECK:
      return isCheckKind(kindOf(window)) ? data->check : BST_UNCHECKED;
    case BM_SETCHECK:
      return setCheck(window, data, wParam);
    case BM_GETSTATE:
      return data->check | (data->pushed ? BST_PUSHED : 0) | (data->focused ? BST_FOCUS : 0);
    case BM_SETSTATE:
      setPushed(window, data, wParam != 0);
      return 0;
    case BM_SETSTYLE:
      return setStyle(window, wParam, lParam);
    case BM_CLICK:
      if (IsWindowEnabled(window)) click(window);
      return 0;
    case BCM_GETIDEALSIZE: {
      auto* size = reinterpret_cast<SIZE*>(lParam);
      if (!size) return FALSE;
      *size = idealSize(window, data);
      return TRUE;
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

WNDCLASSW Button::windowClass() {
  return controlClass(CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, &Button::procedure, WC_BUTTONW);
}

LRESULT CALLBACK Button::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return controlProcedure<ButtonData, DataOwner::window, &paint, &handle>(window, message, wParam, lParam);
}

}  // namespace platform::user::controls

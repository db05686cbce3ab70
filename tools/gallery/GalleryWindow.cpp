#include "GalleryWindow.h"

#include "LanguageNames.h"

#include <algorithm>
#include <iterator>

namespace gallery {

namespace {

constexpr int columnWidth = 118;
constexpr int rowHeight = 17;
constexpr int gridTop = 96;
constexpr int pointSizes[] = {8, 9, 10, 11};

HFONT fontAt(int points, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -(points * 96 + 36) / 72;
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfQuality = CLEARTYPE_QUALITY;
  const char16_t face[] = u"MS Shell Dlg 2";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  return CreateFontIndirectW(&lf);
}

HFONT uiFont() {
  static HFONT font = fontAt(9, false);
  return font;
}

void paintGrid(HDC dc) {
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  int column = 0;
  for (int points : pointSizes) {
    for (bool bold : {false, true}) {
      HFONT font = fontAt(points, bold);
      HGDIOBJ old = SelectObject(dc, font);
      int x = 12 + column * columnWidth;
      int y = gridTop;
      for (const char16_t* name : languageNames) {
        RECT r{x, y, x + columnWidth - 6, y + rowHeight};
        DrawTextW(dc, name, -1, &r, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        y += rowHeight;
      }
      SelectObject(dc, old);
      DeleteObject(font);
      ++column;
    }
  }
  HGDIOBJ old = SelectObject(dc, uiFont());
  int y = gridTop + rowHeight * static_cast<int>(std::size(languageNames)) + 10;
  RECT wrap{12, y, 340, y + 60};
  DrawTextW(dc,
            u"Word wrap: stand by, hibernate, log off, reboot or shut down the computer with one click, from "
            u"the main window, the command line or the desktop's context menu.",
            -1, &wrap, DT_WORDBREAK | DT_NOPREFIX);
  RECT ellipsis{360, y, 560, y + 20};
  DrawTextW(dc, u"Ellipsis: a label that is far too long for its column", -1, &ellipsis,
            DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
  RECT prefix{360, y + 22, 560, y + 42};
  DrawTextW(dc, u"&Underlined access letter", -1, &prefix, DT_SINGLELINE);
  SelectObject(dc, old);
}

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc) paintGrid(dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND control(HWND parent, const char16_t* className, const char16_t* text, DWORD style, int x, int y, int w, int h,
             int id) {
  HWND c = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y, w, h, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr, nullptr);
  if (c) SendMessageW(c, WM_SETFONT, reinterpret_cast<WPARAM>(uiFont()), FALSE);
  return c;
}

}  // namespace

HWND GalleryWindow::create() {
  WNDCLASSW wc{};
  wc.lpfnWndProc = &procedure;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_WINDOW + 1));
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = u"VesperGallery";
  RegisterClassW(&wc);
  int width = 12 * 2 + columnWidth * 8, height = gridTop + rowHeight * 34 + 90;
  RECT frame{0, 0, width, height};
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  HWND window = CreateWindowExW(0, u"VesperGallery", u"Vesper gallery", style, 10, 10, frame.right - frame.left,
                                frame.bottom - frame.top, nullptr, nullptr, nullptr, nullptr);
  if (!window) return nullptr;
  int x = 12;
  const struct {
    const char16_t* text;
    DWORD style;
  } pushes[] = {{u"Normal", BS_PUSHBUTTON}, {u"Default", BS_DEFPUSHBUTTON}, {u"Pressed", BS_PUSHBUTTON},
                {u"Disabled", BS_PUSHBUTTON}, {u"&Focused", BS_PUSHBUTTON}};
  HWND made[5] = {};
  for (int i = 0; i < 5; ++i) {
    made[i] = control(window, WC_BUTTONW, pushes[i].text, pushes[i].style, x, 12, 90, 25, 100 + i);
    x += 98;
  }
  SendMessageW(made[2], BM_SETSTATE, TRUE, 0);
  EnableWindow(made[3], FALSE);
  HWND unchecked = control(window, WC_BUTTONW, u"Check box", BS_AUTOCHECKBOX, 12, 50, 110, 20, 200);
  HWND checked = control(window, WC_BUTTONW, u"Checked", BS_AUTOCHECKBOX, 130, 50, 110, 20, 201);
  HWND grayed = control(window, WC_BUTTONW, u"Disabled", BS_AUTOCHECKBOX, 248, 50, 110, 20, 202);
  (void)unchecked;
  SendMessageW(checked, BM_SETCHECK, BST_CHECKED, 0);
  SendMessageW(grayed, BM_SETCHECK, BST_CHECKED, 0);
  EnableWindow(grayed, FALSE);
  HWND bar = control(window, PROGRESS_CLASSW, u"", 0, 520, 14, 200, 16, 300);
  SendMessageW(bar, PBM_SETRANGE32, 0, 100);
  SendMessageW(bar, PBM_SETPOS, 40, 0);
  ShowWindow(window, SW_SHOW);
  SetFocus(made[4]);
  UpdateWindow(window);
  return window;
}

}  // namespace gallery

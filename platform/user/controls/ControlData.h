// The window-procedure frame that the system's own controls and dialogs share. Each keeps its state
// as a pointer in the window's first extra slot: attached at WM_NCCREATE, looked up for every later
// message and detached at WM_NCDESTROY. The frame also answers WM_ERASEBKGND (the painting covers the
// whole client area, so erasing first would only flicker) and runs WM_PAINT through BeginPaint and
// EndPaint around the control's own painting; everything else goes to the control's handler.
#pragma once

#include <win/user.h>

namespace platform::user::controls {

// Whether the window makes and deletes its state itself, or is handed it as the creation parameter
// by a creator that keeps it alive for the window's life and frees it afterwards.
enum class DataOwner { window, creator };

// A system class whose windows keep that one pointer in their extra bytes, with the arrow cursor.
inline WNDCLASSW controlClass(UINT style, WNDPROC procedure, LPCWSTR name) {
  WNDCLASSW wc{};
  wc.style = style;
  wc.lpfnWndProc = procedure;
  wc.cbWndExtra = sizeof(LONG_PTR);
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.lpszClassName = name;
  return wc;
}

template <typename Data>
Data* windowData(HWND window) {
  return reinterpret_cast<Data*>(GetWindowLongPtrW(window, 0));
}

template <typename Data, DataOwner owner, void (*paint)(HWND, Data*, HDC),
          LRESULT (*handle)(HWND, Data*, UINT, WPARAM, LPARAM)>
LRESULT CALLBACK controlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    Data* made = nullptr;
    if constexpr (owner == DataOwner::window)
      made = new Data();
    else
      made = static_cast<Data*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(made));
    return DefWindowProcW(window, message, wParam, lParam);
  }
  Data* data = windowData<Data>(window);
  if (!data) return DefWindowProcW(window, message, wParam, lParam);
  switch (message) {
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, 0, 0);
      if constexpr (owner == DataOwner::window) delete data;
      return DefWindowProcW(window, message, wParam, lParam);
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc) paint(window, data, dc);
      EndPaint(window, &ps);
      return 0;
    }
    default:
      return handle(window, data, message, wParam, lParam);
  }
}

}  // namespace platform::user::controls

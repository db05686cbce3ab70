#include "user/controls/ProgressBar.h"

#include "user/controls/ControlData.h"
#include "user/controls/FlatDrawing.h"

#include <win/controls.h>

#include <algorithm>

namespace platform::user::controls {

namespace {

struct ProgressData {
  int low = 0;
  int high = 100;
  int position = 0;
  int step = 10;
  COLORREF bar = CLR_DEFAULT;
  COLORREF background = CLR_DEFAULT;
};

void redraw(HWND window) { InvalidateRect(window, nullptr, FALSE); }

// Moves the position, kept inside the range, and answers the previous one.
LRESULT moveTo(HWND window, ProgressData* data, long long position) {
  int old = data->position;
  int low = std::min(data->low, data->high), high = std::max(data->low, data->high);
  data->position = static_cast<int>(std::clamp<long long>(position, low, high));
  if (data->position != old) redraw(window);
  return old;
}

LRESULT setRange(HWND window, ProgressData* data, int low, int high) {
  LRESULT old = MAKELRESULT(static_cast<WORD>(data->low), static_cast<WORD>(data->high));
  data->low = low;
  data->high = high;
  moveTo(window, data, data->position);
  redraw(window);
  return old;
}

void paint(HWND window, ProgressData* data, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  fillRect(dc, client, data->background == CLR_DEFAULT ? flat::progressTrack : data->background);
  frameRect(dc, client, flat::progressBorder);
  RECT inner{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
  if (inner.right <= inner.left || inner.bottom <= inner.top) return;
  COLORREF bar = data->bar == CLR_DEFAULT ? flat::progressBar : data->bar;
  if (GetWindowLongW(window, GWL_STYLE) & PBS_VERTICAL) {
    int filled = ProgressBar::filledLength(data->low, data->high, data->position, inner.bottom - inner.top);
    fillRect(dc, RECT{inner.left, inner.bottom - filled, inner.right, inner.bottom}, bar);
  } else {
    int filled = ProgressBar::filledLength(data->low, data->high, data->position, inner.right - inner.left);
    fillRect(dc, RECT{inner.left, inner.top, inner.left + filled, inner.bottom}, bar);
  }
}

// Everything but the frame's messages (creation, destruction, erasing and painting).
LRESULT handle(HWND window, ProgressData* data, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case PBM_SETRANGE:
      return setRange(window, data, LOWORD(lParam), HIWORD(lParam));
    case PBM_SETRANGE32:
      return setRange(window, data, static_cast<int>(wParam), static_cast<int>(lParam));
    case PBM_GETRANGE: {
      if (auto* range = reinterpret_cast<PBRANGE*>(lParam)) *range = PBRANGE{data->low, data->high};
      return wParam ? data->low : data->high;
    }
    case PBM_SETPOS:
      return moveTo(window, data, static_cast<int>(wParam));
    case PBM_DELTAPOS:
      return moveTo(window, data, static_cast<long long>(data->position) + static_cast<int>(wParam));
    case PBM_GETPOS:
      return data->position;
    case PBM_SETSTEP: {
      int old = data->step;
      data->step = static_cast<int>(wParam);
      return old;
    }
    case PBM_STEPIT: {
      // Past the end the bar starts over from the beginning, as a repeating activity indicator does.
      long long next = static_cast<long long>(data->position) + data->step;
      int old = data->position;
      if (data->high > data->low && next > data->high) next = data->low + (next - data->high) % (data->high - data->low);
      if (data->high > data->low && next < data->low) next = data->high - (data->low - next) % (data->high - data->low);
      moveTo(window, data, next);
      return old;
    }
    case PBM_SETBARCOLOR: {
      COLORREF old = data->bar;
      data->bar = static_cast<COLORREF>(lParam);
      redraw(window);
      return static_cast<LRESULT>(old);
    }
    case PBM_SETBKCOLOR: {
      COLORREF old = data->background;
      data->background = static_cast<COLORREF>(lParam);
      redraw(window);
      return static_cast<LRESULT>(old);
    }
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

int ProgressBar::filledLength(int low, int high, int position, int length) {
  if (high <= low || length <= 0) return 0;
  long long done = static_cast<long long>(std::clamp(position, low, high)) - low;
  return static_cast<int>(done * length / (static_cast<long long>(high) - low));
}

WNDCLASSW ProgressBar::windowClass() {
  return controlClass(CS_HREDRAW | CS_VREDRAW | CS_GLOBALCLASS, &ProgressBar::procedure, PROGRESS_CLASSW);
}

LRESULT CALLBACK ProgressBar::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return controlProcedure<ProgressData, DataOwner::window, &paint, &handle>(window, message, wParam, lParam);
}

}  // namespace platform::user::controls

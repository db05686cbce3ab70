#include "user/InputRouter.h"

#include "user/Activation.h"
#include "user/Clock.h"
#include "user/WindowManager.h"

#include <algorithm>
#include <cstdlib>
#include <set>

namespace platform::user {

namespace {

WindowManager& manager() { return WindowManager::instance(); }

// How long a hit test may wait for a window's thread before the press is dropped.
constexpr UINT hitTestTimeoutMs = 5000;

bool contains(const RECT& r, POINT p) { return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom; }

bool insideShape(const Window* w, POINT screen, const RECT& screenRect) {
  return !w->shape || w->shape->contains(screen.x - screenRect.left, screen.y - screenRect.top);
}

// The deepest visible window under the point, skipping the excluded ones. Disabled children are
// passed over, so their parent is the candidate; a disabled top-level window is answered itself.
Window* windowAt(POINT p, const std::set<HWND>& excluded) {
  for (HWND h : manager().topLevels()) {
    Window* top = manager().find(h);
    if (!top || excluded.count(h) || !top->visibleStyle() || (top->style & WS_MINIMIZE)) continue;
    if (!contains(top->windowRect, p) || !insideShape(top, p, top->windowRect)) continue;
    Window* w = top;
    for (;;) {
      POINT origin = manager().clientOriginOnScreen(w);
      RECT client{origin.x, origin.y, origin.x + w->clientRect.right - w->clientRect.left,
                  origin.y + w->clientRect.bottom - w->clientRect.top};
      if (!w->enabled() || !contains(client, p)) break;
      Window* next = nullptr;
      for (HWND ch : w->children) {
        Window* c = manager().find(ch);
        if (!c || excluded.count(ch) || !c->visibleStyle() || !c->enabled()) continue;
        RECT r = manager().windowRectOnScreen(c);
        if (contains(r, p) && insideShape(c, p, r) && !(c->exStyle & WS_EX_TRANSPARENT)) {
          next = c;
          break;
        }
      }
      if (!next) break;
      w = next;
    }
    return w;
  }
  return nullptr;
}

}  // namespace

InputRouter& InputRouter::instance() {
  static InputRouter* router = new InputRouter();
  return *router;
}

HWND InputRouter::hitTest(POINT screen, int* hit) {
  std::set<HWND> excluded;
  for (int attempt = 0; attempt < 64; ++attempt) {
    HWND candidate;
    bool disabled;
    {
      auto guard = manager().lock();
      Window* w = windowAt(screen, excluded);
      if (!w) {
        *hit = HTNOWHERE;
        return nullptr;
      }
      candidate = w->handle;
      disabled = !w->enabled();
    }
    if (disabled) {
      *hit = HTERROR;
      return candidate;
    }
    LRESULT answer = HTNOWHERE;
    if (!manager().send(candidate, WM_NCHITTEST, 0, MAKELPARAM(screen.x, screen.y), SMTO_ABORTIFHUNG,
                        hitTestTimeoutMs, &answer)) {
      *hit = HTNOWHERE;
      return nullptr;
    }
    if (answer == HTTRANSPARENT) {
      excluded.insert(candidate);
      continue;
    }
    *hit = static_cast<int>(answer);
    return candidate;
  }
  *hit = HTNOWHERE;
  return nullptr;
}

WPARAM InputRouter::keyFlags() const {
  auto guard = manager().lock();
  const BYTE* keys = manager().keys;
  WPARAM flags = 0;
  if (keys[VK_LBUTTON] & 0x80) flags |= MK_LBUTTON;
  if (keys[VK_RBUTTON] & 0x80) flags |= MK_RBUTTON;
  if (keys[VK_MBUTTON] & 0x80) flags |= MK_MBUTTON;
  if (keys[VK_SHIFT] & 0x80) flags |= MK_SHIFT;
  if (keys[VK_CONTROL] & 0x80) flags |= MK_CONTROL;
  return flags;
}

void InputRouter::deliverMouse(UINT clientMessage, UINT nonClientMessage, WPARAM extra, POINT screen) {
  HWND capture;
  {
    auto guard = manager().lock();
    manager().cursor = screen;
    capture = manager().capture;
  }
  int hit = HTCLIENT;
  HWND target = capture;
  if (!target) target = hitTest(screen, &hit);
  if (!target) return;
  bool press = clientMessage == WM_LBUTTONDOWN || clientMessage == WM_RBUTTONDOWN || clientMessage == WM_MBUTTONDOWN;
  if (!capture) {
    manager().send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, clientMessage));
    if (hit == HTERROR || hit == HTNOWHERE) return;  // disabled windows and empty spots take nothing
  }
  if (press && !capture) {
    // A press on an inactive top-level window activates it first, unless the window says otherwise.
    HWND root = GetAncestor(target, GA_ROOT);
    if (root && root != manager().active && !(GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
      LRESULT answer = manager().send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MAKELPARAM(hit, clientMessage));
      if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0) Activation::activate(root, true);
      if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return;
      if (!IsWindow(target)) return;
    }
  }
  UINT message = hit == HTCLIENT ? clientMessage : nonClientMessage;
  if (press) {
    // A second press of the same button on the same window, soon and near enough, is a double click.
    uint64_t now = Clock::nowMs();
    bool dbl = target == lastPressWindow_ && message == lastPressMessage_ &&
               now - lastPressTime_ <= GetDoubleClickTime() &&
               std::abs(screen.x - lastPressPoint_.x) <= GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
               std::abs(screen.y - lastPressPoint_.y) <= GetSystemMetrics(SM_CYDOUBLECLK) / 2;
    bool classWants = hit != HTCLIENT || (GetClassLongPtrW(target, GCL_STYLE) & CS_DBLCLKS);
    if (dbl && classWants) {
      message += 2;  // ...DOWN to ...DBLCLK
      lastPressWindow_ = nullptr;
    } else {
      lastPressWindow_ = target;
      lastPressMessage_ = message;
      lastPressTime_ = now;
      lastPressPoint_ = screen;
    }
  }
  if (hit == HTCLIENT) {
    POINT client = screen;
    ScreenToClient(target, &client);
    manager().post(target, message, keyFlags() | extra, MAKELPARAM(client.x, client.y), true, screen);
  } else {
    manager().post(target, message, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y), true, screen);
  }
}

void InputRouter::mouseMoved(int x, int y) { deliverMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE, 0, POINT{x, y}); }

void InputRouter::mouseButton(display::MouseButton button, bool down, int x, int y) {
  int key = button == display::MouseButton::left ? VK_LBUTTON
                                                 : (button == display::MouseButton::right ? VK_RBUTTON : VK_MBUTTON);
  {
    auto guard = manager().lock();
    if (down) manager().keys[key] |= 0x80;
    else manager().keys[key] &= static_cast<BYTE>(~0x80);
  }
  UINT client, nonClient;
  switch (button) {
    case display::MouseButton::left:
      client = down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      nonClient = down ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
      break;
    case display::MouseButton::right:
      client = down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      nonClient = down ? WM_NCRBUTTONDOWN : WM_NCRBUTTONUP;
      break;
    default:
      client = down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
      nonClient = down ? WM_NCMBUTTONDOWN : WM_NCMBUTTONUP;
      break;
  }
  deliverMouse(client, nonClient, 0, POINT{x, y});
}

void InputRouter::mouseWheel(int delta, int x, int y) {
  HWND target;
  {
    auto guard = manager().lock();
    manager().cursor = POINT{x, y};
    target = manager().focus ? manager().focus : manager().active;
  }
  if (!target || !IsWindowEnabled(target)) return;
  manager().post(target, WM_MOUSEWHEEL, MAKEWPARAM(keyFlags(), static_cast<WORD>(static_cast<short>(delta))),
                 MAKELPARAM(x, y), true, POINT{x, y});
}

void InputRouter::key(unsigned virtualKey, bool down) {
  if (virtualKey > 255) return;
  HWND target;
  bool alt;
  {
    auto guard = manager().lock();
    BYTE& state = manager().keys[virtualKey];
    if (down && !(state & 0x80)) state ^= 0x01;  // the toggle bit flips on each new press
    if (down) state |= 0x80;
    else state &= static_cast<BYTE>(~0x80);
    target = manager().focus ? manager().focus : manager().active;
    alt = (manager().keys[VK_MENU] & 0x80) != 0;
  }
  if (!target || !IsWindowEnabled(target)) return;
  bool system = alt || virtualKey == VK_MENU || virtualKey == VK_F10;
  UINT message = down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM flags = 1 | (alt ? (1 << 29) : 0) | (down ? 0 : (3u << 30));
  manager().post(target, message, virtualKey, flags, true, manager().cursor);
}

void InputRouter::closeRequested(uint64_t windowId) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(windowId));
  manager().post(window, WM_SYSCOMMAND, SC_CLOSE, 0, false, manager().cursor);
}

}  // namespace platform::user

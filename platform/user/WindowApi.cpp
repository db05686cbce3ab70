// Window classes, creation and destruction, the window tree, window slots and window text.
#include <win/user.h>

#include "user/Activation.h"
#include "user/Hooks.h"
#include "user/InputRouter.h"
#include "user/MessageQueue.h"
#include "user/NonClient.h"
#include "user/QueueRegistry.h"
#include "user/WindowManager.h"
#include "user/WindowPositioner.h"

#include <win/sync.h>

#include <algorithm>
#include <cstring>
#include <functional>

#include <unistd.h>

using platform::user::Activation;
using platform::user::Hooks;
using platform::user::InputRouter;
using platform::user::NonClient;
using platform::user::QueueRegistry;
using platform::user::Window;
using platform::user::WindowManager;
using platform::user::WindowPositioner;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

// Top-level windows enter their band of the z-order at its top: topmost windows above all others.
void stackNewTopLevel(Window* w) {
  auto& list = manager().topLevels();
  auto pos = list.begin();
  if (!(w->exStyle & WS_EX_TOPMOST))
    pos = std::find_if(list.begin(), list.end(), [](HWND h) {
      Window* o = manager().find(h);
      return o && !(o->exStyle & WS_EX_TOPMOST);
    });
  list.insert(pos, w->handle);
}

void collectSubtree(Window* w, std::vector<HWND>& out) {
  for (HWND h : w->children)
    if (Window* c = manager().find(h)) {
      out.push_back(h);
      collectSubtree(c, out);
    }
}

void sendDestroy(HWND handle) {
  manager().send(handle, WM_DESTROY);
  std::vector<HWND> children;
  {
    auto guard = manager().lock();
    if (Window* w = manager().find(handle)) children = w->children;
  }
  for (HWND c : children) sendDestroy(c);
}

// Children are freed before their parent, each after its WM_NCDESTROY.
void freeTree(HWND handle) {
  std::vector<HWND> children;
  {
    auto guard = manager().lock();
    if (Window* w = manager().find(handle)) children = w->children;
  }
  for (HWND c : children) freeTree(c);
  manager().send(handle, WM_NCDESTROY);
  auto guard = manager().lock();
  Window* w = manager().find(handle);
  if (!w) return;
  if (std::vector<HWND>* siblings = manager().siblingsOf(w))
    siblings->erase(std::remove(siblings->begin(), siblings->end(), handle), siblings->end());
  for (HWND c : w->children)
    if (Window* child = manager().find(c)) child->parent = nullptr;
  if (w->countedForPaint && w->queue) w->queue->addPaint(-1);
  if (w->queue) w->queue->forgetWindow(handle);
  if (w->onDisplay) manager().display().destroyWindow(platform::user::displayId(handle));
  if (w->windowClass) --w->windowClass->windows;
  manager().remove(handle);
}

LONG_PTR readSlot(Window* w, int index, bool wide) {
  switch (index) {
    case GWL_STYLE:
      return static_cast<LONG>(w->style);
    case GWL_EXSTYLE:
      return static_cast<LONG>(w->exStyle);
    case GWLP_WNDPROC:
      return reinterpret_cast<LONG_PTR>(w->procedure);
    case GWLP_USERDATA:
      return w->userData;
    case GWLP_ID:
      return w->id;
    case GWLP_HINSTANCE:
      return reinterpret_cast<LONG_PTR>(w->instance);
    case GWLP_HWNDPARENT:
      return reinterpret_cast<LONG_PTR>(w->isChild() ? w->parent : w->owner);
    default:
      break;
  }
  size_t size = wide ? sizeof(LONG_PTR) : sizeof(LONG);
  if (index < 0 || static_cast<size_t>(index) + size > w->extraBytes.size()) return 0;
  if (wide) {
    LONG_PTR v;
    std::memcpy(&v, w->extraBytes.data() + index, size);
    return v;
  }
  LONG v;
  std::memcpy(&v, w->extraBytes.data() + index, size);
  return v;
}

LONG_PTR writeSlot(HWND handle, int index, LONG_PTR value, bool wide) {
  if (index == GWL_STYLE || index == GWL_EXSTYLE) {
    STYLESTRUCT change{};
    {
      auto guard = manager().lock();
      Window* w = manager().find(handle);
      if (!w) return 0;
      change.styleOld = index == GWL_STYLE ? w->style : w->exStyle;
    }
    change.styleNew = static_cast<DWORD>(value);
    manager().send(handle, WM_STYLECHANGING, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    {
      auto guard = manager().lock();
      Window* w = manager().find(handle);
      if (!w) return 0;
      if (index == GWL_STYLE) {
        // Visibility and the child bit change only through ShowWindow and SetParent.
        DWORD fixed = WS_VISIBLE | WS_CHILD;
        w->style = (change.styleNew & ~fixed) | (w->style & fixed);
      } else {
        // The topmost band changes only through SetWindowPos.
        w->exStyle = (change.styleNew & ~WS_EX_TOPMOST) | (w->exStyle & WS_EX_TOPMOST);
        w->layered = (w->exStyle & WS_EX_LAYERED) != 0;
      }
    }
    manager().send(handle, WM_STYLECHANGED, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&change));
    return static_cast<LONG>(change.styleOld);
  }
  auto guard = manager().lock();
  Window* w = manager().find(handle);
  if (!w) return 0;
  LONG_PTR old = readSlot(w, index, wide);
  switch (index) {
    case GWLP_WNDPROC:
      if (!value) return 0;
      w->procedure = reinterpret_cast<WNDPROC>(value);
      return old;
    case GWLP_USERDATA:
      w->userData = value;
      return old;
    case GWLP_ID:
      w->id = value;
      return old;
    case GWLP_HINSTANCE:
      w->instance = reinterpret_cast<HINSTANCE>(value);
      return old;
    case GWLP_HWNDPARENT:
      if (!w->isChild()) w->owner = reinterpret_cast<HWND>(value);
      return old;
    default:
      break;
  }
  size_t size = wide ? sizeof(LONG_PTR) : sizeof(LONG);
  if (index < 0 || static_cast<size_t>(index) + size > w->extraBytes.size()) return 0;
  if (wide) {
    std::memcpy(w->extraBytes.data() + index, &value, size);
  } else {
    LONG v = static_cast<LONG>(value);
    std::memcpy(w->extraBytes.data() + index, &v, size);
  }
  return old;
}

}  // namespace

ATOM WINAPI RegisterClassW(const WNDCLASSW* windowClass) {
  if (!windowClass) return 0;
  auto guard = manager().lock();
  return manager().classes().add(*windowClass);
}

BOOL WINAPI UnregisterClassW(LPCWSTR className, HINSTANCE) {
  auto guard = manager().lock();
  return manager().classes().remove(className);
}

BOOL WINAPI GetClassInfoW(HINSTANCE, LPCWSTR className, LPWNDCLASSW out) {
  auto guard = manager().lock();
  auto c = manager().classes().find(className);
  if (!c || !out) return FALSE;
  *out = WNDCLASSW{c->style, c->procedure, c->classExtraBytes, c->windowExtraBytes, c->instance, c->icon,
                   c->cursor, c->background, nullptr, className};
  return TRUE;
}

int WINAPI GetClassNameW(HWND window, LPWSTR name, int capacity) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !name || capacity <= 0) return 0;
  std::u16string className = w->desktop ? u"#32769" : w->windowClass->name;
  int n = std::min(static_cast<int>(className.size()), capacity - 1);
  std::copy_n(className.data(), n, name);
  name[n] = 0;
  return n;
}

ULONG_PTR WINAPI GetClassLongPtrW(HWND window, int index) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !w->windowClass) return 0;
  switch (index) {
    case GCLP_HBRBACKGROUND:
      return reinterpret_cast<ULONG_PTR>(w->windowClass->background);
    case GCLP_HCURSOR:
      return reinterpret_cast<ULONG_PTR>(w->windowClass->cursor);
    case GCL_STYLE:
      return w->windowClass->style;
    default:
      return 0;
  }
}

ULONG_PTR WINAPI SetClassLongPtrW(HWND window, int index, LONG_PTR value) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || !w->windowClass) return 0;
  ULONG_PTR old = GetClassLongPtrW(window, index);
  switch (index) {
    case GCLP_HBRBACKGROUND:
      w->windowClass->background = reinterpret_cast<HBRUSH>(value);
      break;
    case GCLP_HCURSOR:
      w->windowClass->cursor = reinterpret_cast<HCURSOR>(value);
      break;
    case GCL_STYLE:
      w->windowClass->style = static_cast<UINT>(value);
      break;
    default:
      return 0;
  }
  return old;
}

HWND WINAPI CreateWindowExW(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y,
                            int width, int height, HWND parent, HMENU menu, HINSTANCE instance, LPVOID param) {
  auto queue = QueueRegistry::current();
  bool child = (style & WS_CHILD) != 0;
  HWND handle = nullptr;
  {
    auto guard = manager().lock();
    auto c = manager().classes().find(className);
    if (!c) return nullptr;
    if (parent == HWND_MESSAGE) parent = nullptr;
    Window* p = parent ? manager().find(parent) : nullptr;
    if (parent && !p) return nullptr;
    if (p && p->desktop) p = nullptr;
    if (child && !p) return nullptr;
    auto w = std::make_unique<Window>();
    w->windowClass = c;
    w->procedure = c->procedure;
    w->style = style & ~WS_VISIBLE;
    w->exStyle = exStyle;
    w->instance = instance;
    w->extraBytes.assign(static_cast<size_t>(c->windowExtraBytes), 0);
    w->threadId = GetCurrentThreadId();
    w->queue = queue;
    w->layered = (exStyle & WS_EX_LAYERED) != 0;
    if (child) {
      w->parent = parent;
      w->id = reinterpret_cast<LONG_PTR>(menu);
    } else {
      if (p) w->owner = manager().rootOf(p)->handle;
      w->style |= WS_CLIPSIBLINGS;
      if (!(style & WS_POPUP)) w->style |= WS_CAPTION;
      if (NonClient::decorated(w->style, false)) w->exStyle |= WS_EX_WINDOWEDGE;
    }
    bool overlapped = !child && !(style & WS_POPUP);
    if (overlapped) {
      // Default placement: cascaded from the work area's corner, three quarters of its size.
      platform::display::Rect work = manager().display().screen().primary().workArea;
      static int cascade = 0;
      if (x == CW_USEDEFAULT) {
        int step = (cascade++ % 8) * 26;
        x = work.left + step;
        y = work.top + step;
      }
      if (width == CW_USEDEFAULT) {
        width = work.width() * 3 / 4;
        height = work.height() * 3 / 4;
      }
    } else {
      if (x == CW_USEDEFAULT) x = y = 0;
      if (width == CW_USEDEFAULT) width = height = 0;
    }
    if (y == CW_USEDEFAULT) y = 0;
    if (height == CW_USEDEFAULT) height = 0;
    width = std::max(0, width);
    height = std::max(0, height);
    w->windowRect = RECT{x, y, x + width, y + height};
    w->clientRect = w->windowRect;
    w->normalRect = w->windowRect;
    Window* raw = w.get();
    handle = manager().add(std::move(w));
    if (!handle) return nullptr;
    ++c->windows;
    if (child) {
      p->children.push_back(handle);  // new children start at the bottom of their siblings
    } else {
      stackNewTopLevel(raw);
      auto& display = manager().display();
      uint64_t id = platform::user::displayId(handle);
      display.createWindow(id, platform::display::Rect{x, y, x + width, y + height}, NonClient::decorated(raw->style, false));
      raw->onDisplay = true;
      auto& list = manager().topLevels();
      auto pos = std::find(list.begin(), list.end(), handle);
      uint64_t below = (pos + 1 != list.end()) ? platform::user::displayId(*(pos + 1)) : 0;
      display.setStacking(id, below, (raw->exStyle & WS_EX_TOPMOST) != 0);
    }
  }
  CREATESTRUCTW create{param, instance, menu, parent, height, width, y, x, static_cast<LONG>(style), windowName,
                       className, exStyle};
  // A thread hook hears of the window before its first message and may refuse it.
  CBT_CREATEWNDW notice{&create, HWND_TOP};
  if (Hooks::callCbt(HCBT_CREATEWND, reinterpret_cast<WPARAM>(handle), reinterpret_cast<LPARAM>(&notice))) {
    freeTree(handle);
    return nullptr;
  }
  if (!child && ((style & WS_THICKFRAME) || !(style & WS_POPUP))) {
    MINMAXINFO limits = WindowPositioner::minMaxInfo(handle);
    int w = std::clamp<int>(width, limits.ptMinTrackSize.x, std::max(limits.ptMinTrackSize.x, limits.ptMaxTrackSize.x));
    int h = std::clamp<int>(height, limits.ptMinTrackSize.y, std::max(limits.ptMinTrackSize.y, limits.ptMaxTrackSize.y));
    auto guard = manager().lock();
    if (Window* win = manager().find(handle)) {
      win->windowRect.right = win->windowRect.left + w;
      win->windowRect.bottom = win->windowRect.top + h;
      win->clientRect = win->windowRect;
      win->normalRect = win->windowRect;
      create.cx = w;
      create.cy = h;
    }
  }
  if (!manager().send(handle, WM_NCCREATE, 0, reinterpret_cast<LPARAM>(&create))) {
    freeTree(handle);
    return nullptr;
  }
  RECT client{};
  {
    auto guard = manager().lock();
    Window* w = manager().find(handle);
    if (!w) return nullptr;
    w->created = true;
    client = w->windowRect;
  }
  manager().send(handle, WM_NCCALCSIZE, FALSE, reinterpret_cast<LPARAM>(&client));
  RECT clientNow{};
  {
    auto guard = manager().lock();
    Window* w = manager().find(handle);
    if (!w) return nullptr;
    w->clientRect = client;
    manager().ensureSurface(w);
    clientNow = w->clientRect;
  }
  if (manager().send(handle, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(handle);
    return nullptr;
  }
  if (!IsWindow(handle)) return nullptr;
  manager().send(handle, WM_SIZE, SIZE_RESTORED,
                 MAKELPARAM(clientNow.right - clientNow.left, clientNow.bottom - clientNow.top));
  manager().send(handle, WM_MOVE, 0, MAKELPARAM(clientNow.left, clientNow.top));
  if (style & WS_MINIMIZE)
    WindowPositioner::showWindow(handle, SW_SHOWMINNOACTIVE);
  else if (style & WS_MAXIMIZE)
    WindowPositioner::showWindow(handle, SW_SHOWMAXIMIZED);
  if (style & WS_VISIBLE) WindowPositioner::showWindow(handle, SW_SHOW);
  return IsWindow(handle) ? handle : nullptr;
}

BOOL WINAPI DestroyWindow(HWND window) {
  std::vector<HWND> owned;
  bool visible = false;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || w->desktop || w->destroying || w->threadId != GetCurrentThreadId()) return FALSE;
    std::vector<HWND> subtree;
    collectSubtree(w, subtree);
    w->destroying = true;
    for (HWND h : subtree) manager().find(h)->destroying = true;
    for (HWND h : manager().topLevels())
      if (Window* o = manager().find(h); o && o->owner == window) owned.push_back(h);
    visible = w->visibleStyle();
  }
  // Owned windows go first; those of other threads lose their owner instead.
  for (HWND h : owned) {
    if (!DestroyWindow(h)) {
      auto guard = manager().lock();
      if (Window* o = manager().find(h)) o->owner = nullptr;
    }
  }
  if (visible)
    WindowPositioner::setWindowPos(window, nullptr, 0, 0, 0, 0,
                                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  Activation::forget(window, false);
  sendDestroy(window);
  freeTree(window);
  InputRouter::instance().windowDestroyed();
  return TRUE;
}

BOOL WINAPI IsWindow(HWND window) {
  auto guard = manager().lock();
  return manager().find(window) != nullptr;
}

BOOL WINAPI IsChild(HWND parent, HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  while (w && w->isChild()) {
    if (w->parent == parent) return TRUE;
    w = manager().find(w->parent);
  }
  return FALSE;
}

HWND WINAPI GetParent(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w) return nullptr;
  if (w->isChild()) return w->parent;
  return (w->style & WS_POPUP) ? w->owner : nullptr;
}

HWND WINAPI GetAncestor(HWND window, UINT kind) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w || w->desktop) return nullptr;
  switch (kind) {
    case GA_PARENT:
      return w->isChild() ? w->parent : manager().desktop();
    case GA_ROOT:
      return manager().rootOf(w)->handle;
    case GA_ROOTOWNER: {
      Window* r = manager().rootOf(w);
      while (r && r->owner)
        if (Window* o = manager().find(r->owner)) r = o;
        else break;
      return r ? r->handle : nullptr;
    }
    default:
      return nullptr;
  }
}

HWND WINAPI GetDesktopWindow() { return manager().desktop(); }

HWND WINAPI GetWindow(HWND window, UINT relation) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w) return nullptr;
  if (relation == GW_CHILD) {
    const auto& list = w->desktop ? manager().topLevels() : w->children;
    return list.empty() ? nullptr : list.front();
  }
  if (relation == GW_OWNER) return w->isChild() ? nullptr : w->owner;
  std::vector<HWND>* siblings = w->desktop ? nullptr : manager().siblingsOf(w);
  if (!siblings || siblings->empty()) return nullptr;
  auto pos = std::find(siblings->begin(), siblings->end(), window);
  switch (relation) {
    case GW_HWNDFIRST:
      return siblings->front();
    case GW_HWNDLAST:
      return siblings->back();
    case GW_HWNDNEXT:
      return (pos == siblings->end() || pos + 1 == siblings->end()) ? nullptr : *(pos + 1);
    case GW_HWNDPREV:
      return (pos == siblings->end() || pos == siblings->begin()) ? nullptr : *(pos - 1);
    default:
      return nullptr;
  }
}

BOOL WINAPI EnumChildWindows(HWND parent, WNDENUMPROC callback, LPARAM param) {
  if (!callback) return FALSE;
  std::vector<HWND> all;
  {
    auto guard = manager().lock();
    Window* w = manager().find(parent ? parent : manager().desktop());
    if (!w) return FALSE;
    if (w->desktop) {
      for (HWND h : manager().topLevels()) {
        all.push_back(h);
        collectSubtree(manager().find(h), all);
      }
    } else {
      collectSubtree(w, all);
    }
  }
  // The list is taken first; windows destroyed by the callback meanwhile are skipped.
  for (HWND h : all) {
    if (!IsWindow(h)) continue;
    if (!callback(h, param)) break;
  }
  return TRUE;
}

BOOL WINAPI EnumWindows(WNDENUMPROC callback, LPARAM param) {
  if (!callback) return FALSE;
  std::vector<HWND> all;
  {
    auto guard = manager().lock();
    all = manager().topLevels();
  }
  for (HWND h : all)
    if (IsWindow(h) && !callback(h, param)) break;
  return TRUE;
}

BOOL WINAPI EnumThreadWindows(DWORD threadId, WNDENUMPROC callback, LPARAM param) {
  if (!callback) return FALSE;
  std::vector<HWND> all;
  {
    auto guard = manager().lock();
    for (HWND h : manager().topLevels())
      if (Window* w = manager().find(h); w && w->threadId == threadId) all.push_back(h);
  }
  for (HWND h : all)
    if (IsWindow(h) && !callback(h, param)) break;
  return !all.empty();
}

DWORD WINAPI GetWindowThreadProcessId(HWND window, LPDWORD processId) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  if (!w) return 0;
  if (processId) *processId = static_cast<DWORD>(getpid());
  return w->threadId;
}

LONG WINAPI GetWindowLongW(HWND window, int index) { return static_cast<LONG>(GetWindowLongPtrW(window, index)); }

LONG WINAPI SetWindowLongW(HWND window, int index, LONG value) {
  if (index == GWLP_WNDPROC || index == GWLP_USERDATA || index == GWLP_HINSTANCE || index == GWLP_HWNDPARENT)
    return static_cast<LONG>(SetWindowLongPtrW(window, index, value));
  return static_cast<LONG>(writeSlot(window, index, value, false));
}

LONG_PTR WINAPI GetWindowLongPtrW(HWND window, int index) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return w ? readSlot(w, index, true) : 0;
}

LONG_PTR WINAPI SetWindowLongPtrW(HWND window, int index, LONG_PTR value) { return writeSlot(window, index, value, true); }

BOOL WINAPI SetWindowTextW(HWND window, LPCWSTR text) {
  if (!IsWindow(window)) return FALSE;
  return static_cast<BOOL>(manager().send(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : u"")));
}

int WINAPI GetWindowTextW(HWND window, LPWSTR text, int capacity) {
  if (!text || capacity <= 0) return 0;
  text[0] = 0;
  return static_cast<int>(manager().send(window, WM_GETTEXT, static_cast<WPARAM>(capacity), reinterpret_cast<LPARAM>(text)));
}

int WINAPI GetWindowTextLengthW(HWND window) { return static_cast<int>(manager().send(window, WM_GETTEXTLENGTH)); }

int WINAPI GetDlgCtrlID(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return (w && w->isChild()) ? static_cast<int>(w->id) : 0;
}

HWND WINAPI GetDlgItem(HWND dialog, int id) {
  auto guard = manager().lock();
  Window* w = manager().find(dialog);
  if (!w) return nullptr;
  for (HWND h : w->children)
    if (Window* c = manager().find(h); c && c->id == id) return h;
  return nullptr;
}

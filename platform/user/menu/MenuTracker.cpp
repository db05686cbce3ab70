#include "user/menu/MenuTracker.h"

#include "user/InputRouter.h"
#include "user/WindowManager.h"
#include "user/controls/ControlData.h"
#include "user/menu/PopupPlacement.h"

#include <win/sync.h>

#include <algorithm>

namespace platform::user::menu {

namespace {

thread_local MenuTracker* running = nullptr;

bool isMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

bool isKeyMessage(UINT m) { return m >= WM_KEYFIRST && m <= WM_KEYLAST; }

bool isPress(UINT m) {
  switch (m) {
    case WM_LBUTTONDOWN: case WM_RBUTTONDOWN: case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK: case WM_RBUTTONDBLCLK: case WM_MBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN: case WM_NCRBUTTONDOWN: case WM_NCMBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: case WM_NCRBUTTONDBLCLK: case WM_NCMBUTTONDBLCLK:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK popupProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* tracker = reinterpret_cast<MenuTracker*>(GetWindowLongPtrW(window, 0));
  switch (message) {
    case WM_NCCREATE: {
      auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
      SetWindowLongPtrW(window, 0, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
      return DefWindowProcW(window, message, wParam, lParam);
    }
    case WM_MOUSEACTIVATE:
      return MA_NOACTIVATE;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(window, &ps);
      if (dc && tracker) tracker->paint(window, dc);
      EndPaint(window, &ps);
      return 0;
    }
    case WM_CLOSE:
      // Whoever closes a menu window closes the whole menu; the tracker destroys its windows itself.
      if (tracker) tracker->dismiss();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(window, 0, 0);
      return DefWindowProcW(window, message, wParam, lParam);
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

}  // namespace

WNDCLASSW popupMenuClass() {
  return controls::controlClass(CS_SAVEBITS | CS_DBLCLKS | CS_GLOBALCLASS, &popupProcedure, POPUPMENU_CLASSW);
}

MenuTracker* MenuTracker::current() { return running; }

UINT MenuTracker::run(HMENU menu, POINT at) {
  if (running || !IsWindow(owner_)) return 0;
  running = this;
  SendMessageW(owner_, WM_ENTERMENULOOP, TRUE, 0);
  SendMessageW(owner_, WM_INITMENU, reinterpret_cast<WPARAM>(menu), 0);
  SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu), MAKELPARAM(0, FALSE));
  std::optional<Menu> snapshot = MenuStore::instance().snapshot(menu);
  if (snapshot) {
    Level level;
    level.handle = menu;
    level.menu = std::move(*snapshot);
    level.layout = PopupLayout::measure(level.menu);
    level.screen = PopupPlacement::forMenu(at, level.layout.size, flags_, PopupPlacement::workAreaAt(at));
    levels_.push_back(std::move(level));
    if (!openLevel()) levels_.clear();
  }
  if (!levels_.empty()) {
    SetCapture(levels_[0].window);
    MSG msg;
    while (!done_) {
      if (!GetMessageW(&msg, nullptr, 0, 0)) {
        // A quit request ends the menu and stays for the loop that waits for it.
        PostQuitMessage(static_cast<int>(msg.wParam));
        break;
      }
      if (isMouseMessage(msg.message))
        mouse(msg);
      else if (isKeyMessage(msg.message))
        key(msg);
      else
        DispatchMessageW(&msg);
      if (!done_ && !IsWindow(owner_)) done_ = true;
      if (!done_) keepCapture();
    }
  }
  HWND capture = GetCapture();
  for (const Level& level : levels_)
    if (capture && capture == level.window) ReleaseCapture();
  closeLevelsAbove(0);
  if (!levels_.empty() && levels_[0].window) DestroyWindow(levels_[0].window);
  levels_.clear();
  running = nullptr;
  if (IsWindow(owner_)) {
    SendMessageW(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(menu), 0);
    SendMessageW(owner_, WM_EXITMENULOOP, TRUE, 0);
  }
  if (passThrough_) passOn(*passThrough_);
  return chosen_;
}

bool MenuTracker::openLevel() {
  Level& level = levels_.back();
  const RECT& r = level.screen;
  level.window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, POPUPMENU_CLASSW, u"",
                                 WS_POPUP, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr,
                                 nullptr, this);
  if (!level.window) return false;
  ShowWindow(level.window, SW_SHOWNOACTIVATE);
  UpdateWindow(level.window);
  return true;
}

void MenuTracker::closeLevelsAbove(size_t keep) {
  while (levels_.size() > keep + 1) {
    HWND window = levels_.back().window;
    HMENU handle = levels_.back().handle;
    levels_.pop_back();
    if (window) DestroyWindow(window);
    if (IsWindow(owner_)) SendMessageW(owner_, WM_UNINITMENUPOPUP, reinterpret_cast<WPARAM>(handle), 0);
  }
}

void MenuTracker::dismiss() {
  if (done_) return;
  done_ = true;
  chosen_ = 0;
  // Wakes the loop if the request arrived as a sent message while it waited.
  if (!levels_.empty() && levels_[0].window) PostMessageW(levels_[0].window, WM_NULL, 0, 0);
}

void MenuTracker::choose(UINT command) {
  done_ = true;
  chosen_ = command;
}

void MenuTracker::paint(HWND window, HDC dc) const {
  for (const Level& level : levels_)
    if (level.window == window) level.layout.paint(dc, level.menu, level.selected);
}

void MenuTracker::select(size_t index, int item) {
  Level& level = levels_[index];
  if (level.selected == item) return;
  level.selected = item;
  InvalidateRect(level.window, nullptr, FALSE);
  if (item >= 0 && !(flags_ & TPM_NONOTIFY)) {
    const MenuItem& chosen = level.menu.items[static_cast<size_t>(item)];
    UINT flags = (chosen.state & (MF_GRAYED | MF_DISABLED | MF_CHECKED)) | MF_HILITE | (chosen.submenu ? MF_POPUP : 0);
    WPARAM which = chosen.submenu ? static_cast<WPARAM>(item) : chosen.id;
    SendMessageW(owner_, WM_MENUSELECT, MAKEWPARAM(static_cast<WORD>(which), static_cast<WORD>(flags)),
                 reinterpret_cast<LPARAM>(level.handle));
  }
}

void MenuTracker::openSelected(bool selectFirst) {
  size_t index = levels_.size() - 1;
  int item = levels_[index].selected;
  if (item < 0) return;
  const MenuItem& entry = levels_[index].menu.items[static_cast<size_t>(item)];
  if (!entry.submenu || entry.grayed()) return;
  HMENU handle = entry.submenu;
  SendMessageW(owner_, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(handle), MAKELPARAM(item, FALSE));
  if (done_ || levels_.size() != index + 1) return;
  std::optional<Menu> snapshot = MenuStore::instance().snapshot(handle);
  if (!snapshot) return;
  const Level& parent = levels_[index];
  int itemTop = parent.screen.top + parent.layout.items[static_cast<size_t>(item)].top;
  Level level;
  level.handle = handle;
  level.menu = std::move(*snapshot);
  level.layout = PopupLayout::measure(level.menu);
  level.screen = PopupPlacement::forSubmenu(parent.screen, itemTop, level.layout.size,
                                            PopupPlacement::workAreaAt(POINT{parent.screen.right, itemTop}));
  levels_.push_back(std::move(level));
  if (!openLevel()) {
    levels_.pop_back();
    return;
  }
  if (selectFirst) selectNext(1);
}

void MenuTracker::activate(size_t index, int item) {
  if (item < 0) return;
  const MenuItem& entry = levels_[index].menu.items[static_cast<size_t>(item)];
  if (entry.separator()) return;
  if (entry.submenu) {
    closeLevelsAbove(index);
    select(index, item);
    openSelected(true);
  } else if (!entry.grayed()) {
    choose(entry.id);
  }
}

std::optional<std::pair<size_t, int>> MenuTracker::hit(POINT screen) const {
  for (size_t i = levels_.size(); i-- > 0;) {
    const Level& level = levels_[i];
    if (!PtInRect(&level.screen, screen)) continue;
    POINT client{screen.x - level.screen.left, screen.y - level.screen.top};
    return std::make_pair(i, level.layout.itemAt(level.menu, client));
  }
  return std::nullopt;
}

void MenuTracker::mouse(const MSG& msg) {
  auto where = hit(msg.pt);
  if (msg.message == WM_MOUSEMOVE || msg.message == WM_NCMOUSEMOVE) {
    if (!where) {
      // Off the menu the deepest highlight goes, unless it is the item whose submenu is open.
      if (levels_.size() == 1) select(0, -1);
      return;
    }
    auto [index, item] = *where;
    bool opensDeeper = levels_.size() > index + 1 && levels_[index].selected == item;
    if (item < 0) {
      if (!opensDeeper && levels_.size() == index + 1) select(index, -1);
      return;
    }
    if (!opensDeeper) {
      closeLevelsAbove(index);
      select(index, item);
      openSelected(false);
    }
    return;
  }
  if (isPress(msg.message)) {
    if (!where) {
      passThrough_ = msg;
      dismiss();
    }
    return;
  }
  bool leftUp = msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP;
  bool rightUp = msg.message == WM_RBUTTONUP || msg.message == WM_NCRBUTTONUP;
  if ((leftUp || (rightUp && (flags_ & TPM_RIGHTBUTTON))) && where && where->second >= 0) {
    const MenuItem& entry = levels_[where->first].menu.items[static_cast<size_t>(where->second)];
    if (!entry.submenu) activate(where->first, where->second);
  }
}

void MenuTracker::selectNext(int direction) {
  Level& level = levels_.back();
  int count = static_cast<int>(level.menu.items.size());
  if (count == 0) return;
  int item = level.selected;
  for (int step = 0; step < count; ++step) {
    item = item < 0 ? (direction > 0 ? 0 : count - 1) : (item + direction + count) % count;
    if (!level.menu.items[static_cast<size_t>(item)].separator()) {
      select(levels_.size() - 1, item);
      return;
    }
  }
}

void MenuTracker::key(const MSG& msg) {
  if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return;
  size_t deepest = levels_.size() - 1;
  switch (msg.wParam) {
    case VK_ESCAPE:
      if (deepest == 0)
        dismiss();
      else
        closeLevelsAbove(deepest - 1);
      return;
    case VK_MENU:
    case VK_F10:
      dismiss();
      return;
    case VK_UP:
      selectNext(-1);
      return;
    case VK_DOWN:
      selectNext(1);
      return;
    case VK_RIGHT:
      openSelected(true);
      return;
    case VK_LEFT:
      if (deepest > 0) closeLevelsAbove(deepest - 1);
      return;
    case VK_RETURN:
      activate(deepest, levels_[deepest].selected);
      return;
    default:
      if ((msg.wParam >= '0' && msg.wParam <= '9') || (msg.wParam >= 'A' && msg.wParam <= 'Z'))
        mnemonic(static_cast<WCHAR>(msg.wParam));
      return;
  }
}

void MenuTracker::mnemonic(WCHAR letter) {
  auto fold = [](char16_t c) { return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 32) : c; };
  size_t deepest = levels_.size() - 1;
  const Level& level = levels_[deepest];
  std::vector<int> matches;
  for (size_t i = 0; i < level.menu.items.size(); ++i) {
    const std::u16string& text = level.menu.items[i].text;
    for (size_t k = 0; k + 1 < text.size(); ++k) {
      if (text[k] != u'&') continue;
      if (text[k + 1] == u'&') {
        ++k;
        continue;
      }
      if (fold(text[k + 1]) == letter) matches.push_back(static_cast<int>(i));
      break;
    }
  }
  if (matches.size() == 1) {
    activate(deepest, matches[0]);
  } else if (matches.size() > 1) {
    // Several items share the letter: each press moves to the next of them.
    auto next = std::upper_bound(matches.begin(), matches.end(), level.selected);
    select(deepest, next == matches.end() ? matches[0] : *next);
  }
}

void MenuTracker::keepCapture() {
  HWND capture = GetCapture();
  if (!capture) {
    SetCapture(levels_[0].window);
  } else if (GetWindowThreadProcessId(capture, nullptr) != GetCurrentThreadId()) {
    // Another thread took the mouse: the menu can no longer see clicks outside it.
    dismiss();
  }
}

void MenuTracker::passOn(const MSG& msg) {
  // The press that dismissed the menu still reaches the window under it, as a fresh press would.
  int hitCode = HTNOWHERE;
  HWND target = InputRouter::instance().hitTest(msg.pt, &hitCode);
  if (!target || hitCode == HTERROR || hitCode == HTNOWHERE) return;
  UINT message = msg.message;
  bool client = message >= WM_MOUSEFIRST && message <= WM_MOUSELAST;
  if (!client) message = message - WM_NCLBUTTONDOWN + WM_LBUTTONDOWN;
  auto& manager = WindowManager::instance();
  if (hitCode == HTCLIENT) {
    POINT p = msg.pt;
    ScreenToClient(target, &p);
    manager.post(target, message, client ? msg.wParam : MK_LBUTTON, MAKELPARAM(p.x, p.y), true, msg.pt);
  } else {
    manager.post(target, message - WM_LBUTTONDOWN + WM_NCLBUTTONDOWN, static_cast<WPARAM>(hitCode),
                 MAKELPARAM(msg.pt.x, msg.pt.y), true, msg.pt);
  }
}

}  // namespace platform::user::menu

#include "user/InputRouter.h"

#include "user/Activation.h"
#include "user/Clock.h"
#include "user/WindowManager.h"

#include "user/MessageQueue.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <set>
#include <thread>

namespace platform::user {

namespace {

WindowManager& manager() { return WindowManager::instance(); }

// How long a hit test may wait for a window's thread before the press is dropped.
constexpr UINT hitTestTimeoutMs = 5000;
// How long input waits for a thread that took the last event and has not come back to its queue;
// then the next event is routed all the same, so one busy thread does not hold up all input.
constexpr uint64_t stalledAfterMs = 250;

std::shared_ptr<MessageQueue> queueOf(HWND window) {
  auto guard = manager().lock();
  Window* w = manager().find(window);
  return w ? w->queue : nullptr;
}

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

void InputRouter::enqueue(const RawInput& input) {
  RawInput stamped = input;
  stamped.keyFlags = keyFlags();
  std::call_once(watcherStarted_, [this] { startWatcher(); });
  {
    std::lock_guard lock(mutex_);
    pending_.push_back(stamped);
    busy_ = true;
    watch_.notify_one();
  }
  pump(nullptr);
}

void InputRouter::startWatcher() {
  std::thread([this] { watchStalls(); }).detach();
}

// Sleeps while nothing waits behind input in flight; otherwise wakes when the receiver's time is up
// (or its queue is gone) and routes the waiting input itself.
void InputRouter::watchStalls() {
  std::unique_lock lock(mutex_);
  for (;;) {
    if (routing_ || !inFlight_ || pending_.empty()) {
      watch_.wait(lock);
      continue;
    }
    uint64_t due = inFlight_->since + stalledAfterMs + 1;
    uint64_t now = Clock::nowMs();
    if (now < due && !inFlight_->queue.expired()) {
      watch_.wait_for(lock, std::chrono::milliseconds(due - now));
      continue;
    }
    lock.unlock();
    pump(nullptr);
    lock.lock();
  }
}

void InputRouter::settleLocked(const MessageQueue* caller) {
  if (!inFlight_) return;
  std::shared_ptr<MessageQueue> queue = inFlight_->queue.lock();
  bool back = queue && queue.get() == caller && inFlight_->taken;
  if (!queue || back || Clock::nowMs() - inFlight_->since > stalledAfterMs) inFlight_.reset();
}

void InputRouter::pump(const MessageQueue* caller) {
  if (!busy_) return;
  for (;;) {
    RawInput next;
    {
      std::lock_guard lock(mutex_);
      settleLocked(caller);
      // While another thread routes, its event is neither pending nor in flight yet, but input is busy.
      if (pending_.empty() && !inFlight_ && !routing_) busy_ = false;
      if (routing_ || inFlight_ || pending_.empty()) return;
      next = pending_.front();
      pending_.pop_front();
      routing_ = true;
    }
    std::optional<Delivery> delivery = route(next);
    std::shared_ptr<MessageQueue> queue = delivery ? queueOf(delivery->window) : nullptr;
    {
      std::lock_guard lock(mutex_);
      routing_ = false;
      // In flight before it is posted, so that the receiver cannot take it unnoticed.
      if (queue) inFlight_ = InFlight{queue, delivery->window, false, Clock::nowMs()};
      watch_.notify_one();
    }
    if (queue && !manager().post(delivery->window, delivery->message, delivery->wParam, delivery->lParam, true,
                                 delivery->point)) {
      std::lock_guard lock(mutex_);
      inFlight_.reset();
    }
  }
}

void InputRouter::taken(const MessageQueue* queue) {
  if (!busy_) return;
  std::lock_guard lock(mutex_);
  if (inFlight_ && inFlight_->queue.lock().get() == queue) inFlight_->taken = true;
}

void InputRouter::windowDestroyed() {
  if (!busy_) return;
  HWND window;
  {
    std::lock_guard lock(mutex_);
    if (!inFlight_) return;
    window = inFlight_->window;
  }
  if (IsWindow(window)) return;
  {
    std::lock_guard lock(mutex_);
    if (inFlight_ && inFlight_->window == window) inFlight_.reset();
  }
  pump(nullptr);
}

void InputRouter::queueEnded() {
  if (!busy_) return;
  std::lock_guard lock(mutex_);
  watch_.notify_one();
}

std::optional<InputRouter::Delivery> InputRouter::route(const RawInput& input) {
  switch (input.kind) {
    case RawInput::Kind::move:
      return routeMouse(WM_MOUSEMOVE, WM_NCMOUSEMOVE, input);
    case RawInput::Kind::button:
      return routeButton(input);
    case RawInput::Kind::wheel:
      return routeWheel(input);
    case RawInput::Kind::key:
      return routeKey(input);
  }
  return std::nullopt;
}

std::optional<InputRouter::Delivery> InputRouter::routeMouse(UINT clientMessage, UINT nonClientMessage,
                                                             const RawInput& input) {
  POINT screen = input.point;
  HWND capture;
  {
    auto guard = manager().lock();
    capture = manager().capture;
  }
  int hit = HTCLIENT;
  HWND target = capture;
  if (!target) target = hitTest(screen, &hit);
  if (!target) return std::nullopt;
  bool press = clientMessage == WM_LBUTTONDOWN || clientMessage == WM_RBUTTONDOWN || clientMessage == WM_MBUTTONDOWN;
  if (!capture) {
    manager().send(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(hit, clientMessage));
    if (hit == HTERROR || hit == HTNOWHERE) return std::nullopt;  // disabled windows and empty spots take nothing
  }
  if (press && !capture) {
    // A press on an inactive top-level window activates it first, unless the window says otherwise.
    HWND root = GetAncestor(target, GA_ROOT);
    if (root && root != GetForegroundWindow() && !(GetWindowLongW(root, GWL_EXSTYLE) & WS_EX_NOACTIVATE)) {
      LRESULT answer = manager().send(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(root), MAKELPARAM(hit, clientMessage));
      if (answer == MA_ACTIVATE || answer == MA_ACTIVATEANDEAT || answer == 0) Activation::activate(root, true);
      if (answer == MA_ACTIVATEANDEAT || answer == MA_NOACTIVATEANDEAT) return std::nullopt;
      if (!IsWindow(target)) return std::nullopt;
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
    return Delivery{target, message, input.keyFlags, MAKELPARAM(client.x, client.y), screen};
  }
  return Delivery{target, message, static_cast<WPARAM>(hit), MAKELPARAM(screen.x, screen.y), screen};
}

std::optional<InputRouter::Delivery> InputRouter::routeButton(const RawInput& input) {
  UINT client, nonClient;
  switch (input.button) {
    case display::MouseButton::left:
      client = input.down ? WM_LBUTTONDOWN : WM_LBUTTONUP;
      nonClient = input.down ? WM_NCLBUTTONDOWN : WM_NCLBUTTONUP;
      break;
    case display::MouseButton::right:
      client = input.down ? WM_RBUTTONDOWN : WM_RBUTTONUP;
      nonClient = input.down ? WM_NCRBUTTONDOWN : WM_NCRBUTTONUP;
      break;
    default:
      client = input.down ? WM_MBUTTONDOWN : WM_MBUTTONUP;
      nonClient = input.down ? WM_NCMBUTTONDOWN : WM_NCMBUTTONUP;
      break;
  }
  return routeMouse(client, nonClient, input);
}

std::optional<InputRouter::Delivery> InputRouter::routeWheel(const RawInput& input) {
  HWND target;
  {
    auto guard = manager().lock();
    target = manager().focus ? manager().focus : manager().active;
  }
  if (!target || !IsWindowEnabled(target)) return std::nullopt;
  return Delivery{target, WM_MOUSEWHEEL, MAKEWPARAM(input.keyFlags, static_cast<WORD>(static_cast<short>(input.delta))),
                  MAKELPARAM(input.point.x, input.point.y), input.point};
}

std::optional<InputRouter::Delivery> InputRouter::routeKey(const RawInput& input) {
  HWND target;
  POINT cursor;
  {
    auto guard = manager().lock();
    target = manager().focus ? manager().focus : manager().active;
    cursor = manager().cursor;
  }
  if (!target || !IsWindowEnabled(target)) return std::nullopt;
  bool system = input.alt || input.virtualKey == VK_MENU || input.virtualKey == VK_F10;
  UINT message = input.down ? (system ? WM_SYSKEYDOWN : WM_KEYDOWN) : (system ? WM_SYSKEYUP : WM_KEYUP);
  LPARAM flags = 1 | (input.alt ? (1 << 29) : 0) | (input.down ? 0 : (3u << 30));
  return Delivery{target, message, input.virtualKey, flags, cursor};
}

void InputRouter::mouseMoved(int x, int y) {
  {
    auto guard = manager().lock();
    manager().cursor = POINT{x, y};
  }
  RawInput input;
  input.kind = RawInput::Kind::move;
  input.point = POINT{x, y};
  enqueue(input);
}

void InputRouter::mouseButton(display::MouseButton button, bool down, int x, int y) {
  int key = button == display::MouseButton::left ? VK_LBUTTON
                                                 : (button == display::MouseButton::right ? VK_RBUTTON : VK_MBUTTON);
  {
    auto guard = manager().lock();
    manager().cursor = POINT{x, y};
    if (down) manager().keys[key] |= 0x80;
    else manager().keys[key] &= static_cast<BYTE>(~0x80);
  }
  RawInput input;
  input.kind = RawInput::Kind::button;
  input.button = button;
  input.down = down;
  input.point = POINT{x, y};
  enqueue(input);
}

void InputRouter::mouseWheel(int delta, int x, int y) {
  {
    auto guard = manager().lock();
    manager().cursor = POINT{x, y};
  }
  RawInput input;
  input.kind = RawInput::Kind::wheel;
  input.delta = delta;
  input.point = POINT{x, y};
  enqueue(input);
}

void InputRouter::key(unsigned virtualKey, bool down) {
  if (virtualKey > 255) return;
  RawInput input;
  input.kind = RawInput::Kind::key;
  input.virtualKey = virtualKey;
  input.down = down;
  {
    auto guard = manager().lock();
    BYTE& state = manager().keys[virtualKey];
    if (down && !(state & 0x80)) state ^= 0x01;  // the toggle bit flips on each new press
    if (down) state |= 0x80;
    else state &= static_cast<BYTE>(~0x80);
    input.alt = (manager().keys[VK_MENU] & 0x80) != 0;
  }
  enqueue(input);
}

void InputRouter::closeRequested(uint64_t windowId) {
  HWND window = reinterpret_cast<HWND>(static_cast<uintptr_t>(windowId));
  POINT cursor;
  {
    auto guard = manager().lock();
    cursor = manager().cursor;
  }
  manager().post(window, WM_SYSCOMMAND, SC_CLOSE, 0, false, cursor);
}

}  // namespace platform::user

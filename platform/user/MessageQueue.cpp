#include "user/MessageQueue.h"

#include "user/Clock.h"
#include "user/InputRouter.h"
#include "user/WindowManager.h"

#include <algorithm>
#include <chrono>

namespace platform::user {

namespace {

// A thread that has not looked at its queue for this long, while not waiting in it, counts as hung.
constexpr uint64_t hungAfterMs = 5000;

bool inRange(UINT message, UINT first, UINT last) {
  return (first == 0 && last == 0) || (message >= first && message <= last);
}

bool forWindow(HWND messageWindow, HWND filter) {
  if (!filter) return true;
  if (filter == reinterpret_cast<HWND>(-1)) return messageWindow == nullptr;
  return messageWindow == filter;
}

std::chrono::steady_clock::time_point inMs(uint64_t ms) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
}

}  // namespace

bool MessageQueue::post(const MSG& message) {
  std::lock_guard lock(mutex_);
  if (!alive_) return false;
  posted_.push_back(message);
  ++arrivals_;
  ++events_;
  changed_.notify_all();
  return true;
}

bool MessageQueue::postInput(const MSG& message) {
  std::lock_guard lock(mutex_);
  if (!alive_) return false;
  input_.push_back(message);
  ++arrivals_;
  ++events_;
  changed_.notify_all();
  return true;
}

void MessageQueue::postQuit(int exitCode) {
  std::lock_guard lock(mutex_);
  quit_ = true;
  quitCode_ = exitCode;
  ++arrivals_;
  ++events_;
  changed_.notify_all();
}

bool MessageQueue::deliverSend(const std::shared_ptr<SentMessage>& sent) {
  std::lock_guard lock(mutex_);
  if (!alive_) return false;
  sends_.push_back(sent);
  ++events_;
  changed_.notify_all();
  return true;
}

void MessageQueue::completeSend(SentMessage& sent, LRESULT result) {
  std::lock_guard lock(mutex_);
  sent.result = result;
  sent.state = SentMessage::done;
  ++events_;
  changed_.notify_all();
}

void MessageQueue::deliver(const std::shared_ptr<SentMessage>& sent) {
  int expected = SentMessage::pending;
  if (!sent->state.compare_exchange_strong(expected, SentMessage::started)) return;  // withdrawn
  currentSends_.push_back(sent);
  LRESULT result =
      WindowManager::instance().callProcedure(sent->window, sent->message, sent->wParam, sent->lParam);
  currentSends_.pop_back();
  if (sent->replied) return;
  if (sent->sender)
    sent->sender->completeSend(*sent, result);
  else
    sent->state = SentMessage::done;
}

void MessageQueue::handleSends() {
  for (;;) {
    std::shared_ptr<SentMessage> sent;
    {
      std::lock_guard lock(mutex_);
      if (sends_.empty()) return;
      sent = sends_.front();
      sends_.pop_front();
    }
    deliver(sent);
  }
}

bool MessageQueue::reply(LRESULT result) {
  if (currentSends_.empty()) return false;
  auto& sent = currentSends_.back();
  if (sent->replied) return false;
  sent->replied = true;
  if (sent->sender)
    sent->sender->completeSend(*sent, result);
  else
    sent->state = SentMessage::done;
  return true;
}

void MessageQueue::touch() { lastPump_ = Clock::nowMs(); }

bool MessageQueue::hung() const {
  if (waiting_) return false;
  uint64_t last = lastPump_;
  return last != 0 && Clock::nowMs() - last > hungAfterMs;
}

bool MessageQueue::takeFrom(std::deque<MSG>& list, MSG* out, HWND filter, UINT first, UINT last, bool remove) {
  for (auto it = list.begin(); it != list.end(); ++it) {
    if (!forWindow(it->hwnd, filter) || !inRange(it->message, first, last)) continue;
    *out = *it;
    if (remove) list.erase(it);
    return true;
  }
  return false;
}

uint64_t MessageQueue::nextTimerDue() const {
  uint64_t due = UINT64_MAX;
  for (const Timer& t : timers_) due = std::min(due, t.due);
  return due;
}

bool MessageQueue::takeTimer(MSG* out, HWND filter, UINT first, UINT last, bool remove) {
  if (!inRange(WM_TIMER, first, last)) return false;
  uint64_t now = Clock::nowMs();
  Timer* best = nullptr;
  for (Timer& t : timers_)
    if (t.due <= now && forWindow(t.window, filter) && (!best || t.due < best->due)) best = &t;
  if (!best) return false;
  *out = MSG{best->window, WM_TIMER, best->id, reinterpret_cast<LPARAM>(best->procedure), static_cast<DWORD>(now),
             POINT{0, 0}};
  if (remove) {
    // Keep the period's rhythm, but never queue up ticks a slow thread has missed.
    best->due += best->period;
    if (best->due <= now) best->due = now + best->period;
  }
  return true;
}

bool MessageQueue::retrieve(MSG* out, HWND filter, UINT first, UINT last, UINT removeFlags, bool wait) {
  bool remove = (removeFlags & PM_REMOVE) != 0;
  touch();
  for (;;) {
    handleSends();
    InputRouter::instance().pump(this);
    std::unique_lock lock(mutex_);
    if (!sends_.empty()) continue;
    uint64_t seen = events_;
    bool fromInput = false;
    bool found = takeFrom(posted_, out, filter, first, last, remove) ||
                 (fromInput = takeFrom(input_, out, filter, first, last, remove));
    if (!found && quit_ && inRange(WM_QUIT, first, last)) {
      *out = MSG{nullptr, WM_QUIT, static_cast<WPARAM>(quitCode_), 0, Clock::tick(), POINT{0, 0}};
      if (remove) quit_ = false;
      found = true;
    }
    if (!found && paintCount_ > 0 && inRange(WM_PAINT, first, last)) {
      lock.unlock();
      found = WindowManager::instance().takePaint(threadId_, filter, out);
      lock.lock();
    }
    if (!found) found = takeTimer(out, filter, first, last, remove);
    lookedAt_ = arrivals_;
    lookedAtMs_ = Clock::nowMs();
    if (found) {
      if (remove) {
        lastTime_ = out->time;
        lastPos_ = static_cast<DWORD>(MAKELONG(out->pt.x, out->pt.y));
      }
      if (remove && fromInput) {
        noteInput(*out);
        lock.unlock();
        InputRouter::instance().taken(this);
      }
      return true;
    }
    if (!wait) return false;
    if (events_ != seen || !sends_.empty()) continue;
    uint64_t due = nextTimerDue();
    waiting_ = true;
    if (due == UINT64_MAX) {
      changed_.wait(lock, [&] { return events_ != seen; });
    } else {
      uint64_t now = Clock::nowMs();
      changed_.wait_until(lock, inMs(due > now ? due - now : 0), [&] { return events_ != seen; });
    }
    waiting_ = false;
    touch();
  }
}

void MessageQueue::waitForMessage() {
  touch();
  for (;;) {
    handleSends();
    InputRouter::instance().pump(this);
    std::unique_lock lock(mutex_);
    if (!sends_.empty()) continue;
    // Only what came since the thread last looked at its queue counts, a timer falling due included.
    uint64_t now = Clock::nowMs();
    uint64_t due = UINT64_MAX;
    for (const Timer& t : timers_)
      if (t.due > lookedAtMs_) due = std::min(due, t.due);
    if (arrivals_ != lookedAt_ || due <= now) {
      lookedAt_ = arrivals_;
      lookedAtMs_ = now;
      return;
    }
    uint64_t seen = events_;
    waiting_ = true;
    if (due == UINT64_MAX)
      changed_.wait(lock, [&] { return events_ != seen; });
    else
      changed_.wait_until(lock, inMs(due - now), [&] { return events_ != seen; });
    waiting_ = false;
    touch();
  }
}

bool MessageQueue::waitForReply(const std::shared_ptr<SentMessage>& sent, UINT flags, UINT timeoutMs,
                                const std::shared_ptr<MessageQueue>& receiver) {
  bool block = (flags & SMTO_BLOCK) != 0;
  // The clock counts whole milliseconds, so one more keeps the wait from ending short of the timeout.
  uint64_t deadline = timeoutMs == INFINITE ? UINT64_MAX : Clock::nowMs() + timeoutMs + 1;
  auto withdraw = [&] {
    int expected = SentMessage::pending;
    sent->state.compare_exchange_strong(expected, SentMessage::withdrawn);
    return false;
  };
  for (;;) {
    if (!block) handleSends();
    std::unique_lock lock(mutex_);
    if (sent->state == SentMessage::done) return !sent->failed;
    if (!block && !sends_.empty()) continue;
    uint64_t now = Clock::nowMs();
    if ((flags & SMTO_ABORTIFHUNG) && receiver->hung()) return withdraw();
    if (now >= deadline) {
      if (!(flags & SMTO_NOTIMEOUTIFNOTHUNG) || receiver->hung()) return withdraw();
    }
    uint64_t seen = events_;
    // Wake at the deadline, and now and then to look at whether the receiver hangs.
    uint64_t wakeAt = std::min(deadline, now + 250);
    if (now >= deadline) wakeAt = now + 250;
    waiting_ = !block;
    changed_.wait_until(lock, inMs(wakeAt - now), [&] { return events_ != seen; });
    waiting_ = false;
    touch();
  }
}

void MessageQueue::noteInput(const MSG& message) {
  auto press = [&](int key) {
    if (!(keys_[key] & 0x80)) keys_[key] ^= 0x01;  // the toggle bit flips on each new press
    keys_[key] |= 0x80;
  };
  auto release = [&](int key) { keys_[key] &= static_cast<BYTE>(~0x80); };
  switch (message.message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      if (message.wParam < 256) press(static_cast<int>(message.wParam));
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      if (message.wParam < 256) release(static_cast<int>(message.wParam));
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
      press(VK_LBUTTON);
      break;
    case WM_LBUTTONUP:
    case WM_NCLBUTTONUP:
      release(VK_LBUTTON);
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_NCRBUTTONDOWN:
    case WM_NCRBUTTONDBLCLK:
      press(VK_RBUTTON);
      break;
    case WM_RBUTTONUP:
    case WM_NCRBUTTONUP:
      release(VK_RBUTTON);
      break;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
    case WM_NCMBUTTONDOWN:
    case WM_NCMBUTTONDBLCLK:
      press(VK_MBUTTON);
      break;
    case WM_MBUTTONUP:
    case WM_NCMBUTTONUP:
      release(VK_MBUTTON);
      break;
    default:
      break;
  }
}

SHORT MessageQueue::keyState(int key) const {
  BYTE state = keys_[key & 0xFF];
  return static_cast<SHORT>(((state & 0x80) ? 0xFF80 : 0) | (state & 0x01));
}

UINT_PTR MessageQueue::setTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure) {
  std::lock_guard lock(mutex_);
  if (!alive_) return 0;
  UINT period = std::clamp<UINT>(elapseMs, USER_TIMER_MINIMUM, USER_TIMER_MAXIMUM);
  uint64_t due = Clock::nowMs() + period;
  for (Timer& t : timers_) {
    if (t.window == window && t.id == id && (window || id != 0)) {
      t.period = period;
      t.due = due;
      t.procedure = procedure;
      return window ? 1 : id;
    }
  }
  if (!window) {
    // Thread timers get an id of their own that no live thread timer has.
    do {
      id = nextThreadTimerId_++;
      if (nextThreadTimerId_ > 0x7FFF) nextThreadTimerId_ = 1;
    } while (std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return !t.window && t.id == id; }));
  }
  timers_.push_back(Timer{window, id, period, due, procedure});
  ++events_;
  changed_.notify_all();
  return window ? 1 : id;
}

bool MessageQueue::killTimer(HWND window, UINT_PTR id) {
  std::lock_guard lock(mutex_);
  auto it = std::find_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.window == window && t.id == id; });
  if (it == timers_.end()) return false;
  timers_.erase(it);
  // A WM_TIMER of this timer is made only when retrieved, so none is left behind.
  return true;
}

bool MessageQueue::hasTimerProcedure(TIMERPROC procedure) {
  std::lock_guard lock(mutex_);
  return std::any_of(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.procedure == procedure; });
}

void MessageQueue::forgetWindow(HWND window) {
  std::lock_guard lock(mutex_);
  auto gone = [&](const MSG& m) { return m.hwnd == window; };
  posted_.erase(std::remove_if(posted_.begin(), posted_.end(), gone), posted_.end());
  input_.erase(std::remove_if(input_.begin(), input_.end(), gone), input_.end());
  timers_.erase(std::remove_if(timers_.begin(), timers_.end(), [&](const Timer& t) { return t.window == window; }),
                timers_.end());
}

void MessageQueue::addPaint(int delta) {
  std::lock_guard lock(mutex_);
  paintCount_ += delta;
  if (delta > 0) {
    ++arrivals_;
    ++events_;
    changed_.notify_all();
  }
}

void MessageQueue::wake() {
  std::lock_guard lock(mutex_);
  ++events_;
  changed_.notify_all();
}

void MessageQueue::shutdown() {
  std::deque<std::shared_ptr<SentMessage>> left;
  {
    std::lock_guard lock(mutex_);
    alive_ = false;
    left.swap(sends_);
    posted_.clear();
    input_.clear();
    timers_.clear();
  }
  for (auto& sent : left) {
    int expected = SentMessage::pending;
    if (!sent->state.compare_exchange_strong(expected, SentMessage::started)) continue;
    sent->failed = true;
    if (sent->sender)
      sent->sender->completeSend(*sent, 0);
    else
      sent->state = SentMessage::done;
  }
}

}  // namespace platform::user

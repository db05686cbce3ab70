// Message retrieval, dispatching, posting and sending, within a thread and across threads, and timers.
#include <win/user.h>

#include "user/Clock.h"
#include "user/MessageQueue.h"
#include "user/QueueRegistry.h"
#include "user/WindowManager.h"

#include <win/sync.h>

#include <map>
#include <mutex>
#include <string>

using platform::user::Clock;
using platform::user::QueueRegistry;
using platform::user::SentMessage;
using platform::user::Window;
using platform::user::WindowManager;

namespace {

WindowManager& manager() { return WindowManager::instance(); }

std::vector<HWND> topLevelWindows() {
  auto guard = manager().lock();
  return manager().topLevels();
}

// The character a key gives, for the keys that type one; 0 for the others.
WCHAR characterOf(WPARAM key) {
  bool shift = GetKeyState(VK_SHIFT) < 0;
  if (key >= 'A' && key <= 'Z') return static_cast<WCHAR>(shift ? key : key + 32);
  if (key >= '0' && key <= '9' && !shift) return static_cast<WCHAR>(key);
  switch (key) {
    case VK_SPACE:
      return u' ';
    case VK_RETURN:
      return u'\r';
    case VK_BACK:
      return 8;
    case VK_TAB:
      return u'\t';
    case VK_ESCAPE:
      return 27;
    default:
      return 0;
  }
}

}  // namespace

BOOL WINAPI GetMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax) {
  if (!message) return -1;
  QueueRegistry::current()->retrieve(message, window, filterMin, filterMax, PM_REMOVE, true);
  return message->message != WM_QUIT;
}

BOOL WINAPI PeekMessageW(LPMSG message, HWND window, UINT filterMin, UINT filterMax, UINT removeFlags) {
  if (!message) return FALSE;
  return QueueRegistry::current()->retrieve(message, window, filterMin, filterMax, removeFlags, false);
}

BOOL WINAPI WaitMessage() {
  QueueRegistry::current()->waitForMessage();
  return TRUE;
}

BOOL WINAPI TranslateMessage(const MSG* message) {
  if (!message) return FALSE;
  if (message->message != WM_KEYDOWN && message->message != WM_SYSKEYDOWN) return FALSE;
  WCHAR c = characterOf(message->wParam);
  if (c) {
    UINT kind = message->message == WM_KEYDOWN ? WM_CHAR : WM_SYSCHAR;
    manager().post(message->hwnd, kind, c, message->lParam, true, message->pt);
  }
  return TRUE;
}

LRESULT WINAPI DispatchMessageW(const MSG* message) {
  if (!message) return 0;
  if (message->message == WM_TIMER && message->lParam) {
    // Only procedures this thread registered with SetTimer are called; a forged pointer is ignored.
    auto procedure = reinterpret_cast<TIMERPROC>(message->lParam);
    if (!QueueRegistry::current()->hasTimerProcedure(procedure)) return 0;
    procedure(message->hwnd, WM_TIMER, message->wParam, Clock::tick());
    return 0;
  }
  if (!message->hwnd) return 0;
  {
    auto guard = manager().lock();
    Window* w = manager().find(message->hwnd);
    if (!w || w->threadId != GetCurrentThreadId()) return 0;
  }
  return manager().callProcedure(message->hwnd, message->message, message->wParam, message->lParam);
}

BOOL WINAPI PostMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (!window) return PostThreadMessageW(GetCurrentThreadId(), message, wParam, lParam);
  if (window == HWND_BROADCAST) {
    for (HWND h : topLevelWindows()) manager().post(h, message, wParam, lParam, false, manager().cursorPosition());
    return TRUE;
  }
  return manager().post(window, message, wParam, lParam, false, manager().cursorPosition());
}

BOOL WINAPI PostThreadMessageW(DWORD threadId, UINT message, WPARAM wParam, LPARAM lParam) {
  auto queue = QueueRegistry::forThread(threadId);
  if (!queue) return FALSE;
  return queue->post(MSG{nullptr, message, wParam, lParam, Clock::tick(), manager().cursorPosition()});
}

void WINAPI PostQuitMessage(int exitCode) { QueueRegistry::current()->postQuit(exitCode); }

LRESULT WINAPI SendMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (window == HWND_BROADCAST) {
    for (HWND h : topLevelWindows()) manager().send(h, message, wParam, lParam);
    return 0;
  }
  return manager().send(window, message, wParam, lParam);
}

LRESULT WINAPI SendMessageTimeoutW(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT flags,
                                   UINT timeoutMs, PDWORD_PTR result) {
  if (result) *result = 0;
  if (window == HWND_BROADCAST) {
    for (HWND h : topLevelWindows()) {
      LRESULT ignored;
      manager().send(h, message, wParam, lParam, flags, timeoutMs, &ignored);
    }
    return TRUE;
  }
  LRESULT answer = 0;
  if (!manager().send(window, message, wParam, lParam, flags, timeoutMs, &answer)) return 0;
  if (result) *result = static_cast<DWORD_PTR>(answer);
  return TRUE;
}

BOOL WINAPI SendNotifyMessageW(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  std::shared_ptr<platform::user::MessageQueue> receiver;
  {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w) return FALSE;
    if (w->threadId != GetCurrentThreadId()) receiver = w->queue;
  }
  if (!receiver) {
    manager().callProcedure(window, message, wParam, lParam);
    return TRUE;
  }
  auto sent = std::make_shared<SentMessage>();
  sent->window = window;
  sent->message = message;
  sent->wParam = wParam;
  sent->lParam = lParam;
  return receiver->deliverSend(sent);
}

BOOL WINAPI InSendMessage() { return QueueRegistry::current()->inSend(); }

BOOL WINAPI ReplyMessage(LRESULT result) { return QueueRegistry::current()->reply(result); }

LONG WINAPI GetMessageTime() { return static_cast<LONG>(QueueRegistry::current()->lastMessageTime()); }

DWORD WINAPI GetMessagePos() { return QueueRegistry::current()->lastMessagePos(); }

UINT WINAPI RegisterWindowMessageW(LPCWSTR name) {
  static std::mutex mutex;
  static std::map<std::u16string, UINT> ids;
  if (!name || !name[0]) return 0;
  std::u16string key(name);
  for (char16_t& c : key)
    if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c + 32);
  std::lock_guard lock(mutex);
  auto it = ids.find(key);
  if (it != ids.end()) return it->second;
  UINT id = 0xC000 + static_cast<UINT>(ids.size());
  if (id > 0xFFFF) return 0;
  ids.emplace(key, id);
  return id;
}

UINT_PTR WINAPI SetTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure) {
  std::shared_ptr<platform::user::MessageQueue> queue;
  if (window) {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || !w->queue) return 0;
    queue = w->queue;
  } else {
    queue = QueueRegistry::current();
  }
  UINT_PTR answer = queue->setTimer(window, id, elapseMs, procedure);
  return window ? (answer ? (id ? id : 1) : 0) : answer;
}

BOOL WINAPI KillTimer(HWND window, UINT_PTR id) {
  std::shared_ptr<platform::user::MessageQueue> queue;
  if (window) {
    auto guard = manager().lock();
    Window* w = manager().find(window);
    if (!w || !w->queue) return FALSE;
    queue = w->queue;
  } else {
    queue = QueueRegistry::current();
  }
  return queue->killTimer(window, id);
}

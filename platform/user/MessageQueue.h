// The message queue of one thread: posted and input messages, messages sent from other threads,
// the quit flag, timers, and the count of this thread's windows waiting to paint.
// A thread waiting for the answer to its own send keeps handling messages sent to it, so two
// window threads that send to each other never deadlock.
#pragma once

#include "user/SentMessage.h"

#include <win/user.h>

#include <atomic>
#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

namespace platform::user {

class MessageQueue : public std::enable_shared_from_this<MessageQueue> {
 public:
  explicit MessageQueue(DWORD threadId) : threadId_(threadId) {}

  DWORD threadId() const { return threadId_; }

  bool post(const MSG& message);
  bool postInput(const MSG& message);
  void postQuit(int exitCode);
  // Hands a message sent from another thread to this queue; false when the thread has ended.
  bool deliverSend(const std::shared_ptr<SentMessage>& sent);
  // Called by a receiver on the sender's queue when the answer is ready.
  void completeSend(SentMessage& sent, LRESULT result);

  // The retrieval loop of GetMessage (wait) and PeekMessage (no wait). False means no message.
  bool retrieve(MSG* out, HWND filter, UINT first, UINT last, UINT removeFlags, bool wait);
  // Returns when a message has come since the thread last looked at its queue (GetMessage or
  // PeekMessage), handling sent messages meanwhile.
  void waitForMessage();
  // Waits for the answer to a message this thread sent; false on timeout or abort.
  bool waitForReply(const std::shared_ptr<SentMessage>& sent, UINT flags, UINT timeoutMs,
                    const std::shared_ptr<MessageQueue>& receiver);
  // Delivers every message other threads have sent to this thread.
  void handleSends();
  bool hung() const;
  bool inSend() const { return !currentSends_.empty(); }
  bool reply(LRESULT result);

  UINT_PTR setTimer(HWND window, UINT_PTR id, UINT elapseMs, TIMERPROC procedure);
  bool killTimer(HWND window, UINT_PTR id);
  bool hasTimerProcedure(TIMERPROC procedure);
  // Drops the posted messages and timers of a window that is gone.
  void forgetWindow(HWND window);

  // The window manager keeps this count of windows needing WM_PAINT and wakes the queue.
  void addPaint(int delta);
  void wake();
  // The thread has ended: senders waiting on it are answered with 0, later posts fail.
  void shutdown();

  // The keyboard and mouse-button state as this thread has taken its input, for GetKeyState.
  // Only the owner thread reads and changes it.
  SHORT keyState(int key) const;

  DWORD lastMessageTime() const { return lastTime_; }
  DWORD lastMessagePos() const { return lastPos_; }

 private:
  struct Timer {
    HWND window;
    UINT_PTR id;
    UINT period;
    uint64_t due;
    TIMERPROC procedure;
  };

  bool takeFrom(std::deque<MSG>& list, MSG* out, HWND filter, UINT first, UINT last, bool remove);
  bool takeTimer(MSG* out, HWND filter, UINT first, UINT last, bool remove);
  uint64_t nextTimerDue() const;
  void deliver(const std::shared_ptr<SentMessage>& sent);
  void touch();
  void noteInput(const MSG& message);

  const DWORD threadId_;
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  uint64_t events_ = 0;
  uint64_t arrivals_ = 0;    // messages that have come (posted, input, quit, paint due)
  uint64_t lookedAt_ = 0;    // arrivals_ when the thread last looked at its queue
  uint64_t lookedAtMs_ = 0;  // and the time it did
  bool alive_ = true;
  std::deque<MSG> posted_;
  std::deque<MSG> input_;
  std::deque<std::shared_ptr<SentMessage>> sends_;
  std::vector<std::shared_ptr<SentMessage>> currentSends_;  // owner thread only
  bool quit_ = false;
  int quitCode_ = 0;
  std::vector<Timer> timers_;
  UINT_PTR nextThreadTimerId_ = 1;
  int paintCount_ = 0;
  std::atomic<uint64_t> lastPump_{0};
  std::atomic<bool> waiting_{false};
  BYTE keys_[256] = {};
  DWORD lastTime_ = 0;
  DWORD lastPos_ = 0;
};

}  // namespace platform::user

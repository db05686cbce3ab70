// A task that records when each of its runs starts and ends, optionally lasting a while or holding
// until released, and helpers that wait for a worker with a deadline instead of hanging.
#pragma once

#include <win/thread.h>
#include <win/time.h>

#include <atomic>
#include <cstdint>

#include "base/thread/ITask.h"
#include "base/thread/IThread.h"

namespace thread_worker {

class Recorder : public s::thread::ITask {
 public:
  static constexpr int kMaxRuns = 64;

  explicit Recorder(DWORD durationMs = 0) : durationMs(durationMs) {}

  void run() override {
    int index = started.load();
    if (index < kMaxRuns) startMs[index] = GetTickCount64();
    started.fetch_add(1);
    if (durationMs) Sleep(durationMs);
    while (holding.load()) Sleep(1);
    if (index < kMaxRuns) endMs[index] = GetTickCount64();
    finished.fetch_add(1);
  }

  // Makes every run wait until release is called.
  void hold() { holding = true; }
  void release() { holding = false; }

  // Waits until at least `count` runs have started; false after the deadline.
  bool waitForStarts(int count, DWORD deadlineMs = 5000) const {
    return waitFor([&] { return started.load() >= count; }, deadlineMs);
  }

  template <class Condition>
  static bool waitFor(Condition condition, DWORD deadlineMs) {
    ULONGLONG limit = GetTickCount64() + deadlineMs;
    while (!condition()) {
      if (GetTickCount64() > limit) return false;
      Sleep(1);
    }
    return true;
  }

  std::atomic<int> started{0};
  std::atomic<int> finished{0};
  ULONGLONG startMs[kMaxRuns] = {};
  ULONGLONG endMs[kMaxRuns] = {};

 private:
  DWORD durationMs;
  std::atomic<bool> holding{false};
};

// Waits for idleness with a deadline, polling finer than waitUntilIdle does.
inline bool becomesIdle(s::thread::IThread* thread, DWORD deadlineMs = 5000) {
  return Recorder::waitFor([&] { return thread->isIdle(); }, deadlineMs);
}

}  // namespace thread_worker

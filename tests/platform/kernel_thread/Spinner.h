// A thread that counts as fast as it can until told to stop, for observing when it runs.
#pragma once

#include <win/thread.h>

#include <atomic>
#include <cstdint>

namespace kernel_thread {

struct Spinner {
  std::atomic<uint64_t> turns{0};
  std::atomic<bool> stop{false};
  HANDLE handle = nullptr;

  static DWORD WINAPI main(LPVOID parameter) {
    auto* self = static_cast<Spinner*>(parameter);
    while (!self->stop.load(std::memory_order_relaxed)) self->turns.fetch_add(1, std::memory_order_relaxed);
    return 42;
  }

  // Starts the thread (suspended when asked); false when creation failed.
  bool start(DWORD flags = 0) {
    handle = CreateThread(nullptr, 0, &Spinner::main, this, flags, nullptr);
    return handle != nullptr;
  }

  // True when the counter moves within the given time.
  bool advancesWithin(DWORD ms) {
    uint64_t before = turns.load();
    for (DWORD waited = 0; waited < ms; waited += 5) {
      Sleep(5);
      if (turns.load() != before) return true;
    }
    return false;
  }

  // Stops, waits for and closes the thread.
  void finish() {
    if (!handle) return;
    stop = true;
    WaitForSingleObject(handle, INFINITE);
    CloseHandle(handle);
    handle = nullptr;
  }

  ~Spinner() { finish(); }
};

}  // namespace kernel_thread

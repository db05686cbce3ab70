// The round trip of SendMessageW to a window of another thread: the send, the receiver's procedure
// and the answer back.
#include <win/sync.h>
#include <win/user.h>

#include <benchmark/benchmark.h>

#include <atomic>
#include <thread>

namespace {

LRESULT CALLBACK echoProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_USER) return static_cast<LRESULT>(wParam + 1);
  return DefWindowProcW(window, message, wParam, lParam);
}

void BM_SendMessageRoundTripBetweenThreads(benchmark::State& state) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = echoProcedure;
  wc.lpszClassName = u"SendBench";
  RegisterClassW(&wc);
  std::atomic<HWND> window{nullptr};
  std::atomic<DWORD> threadId{0};
  std::thread receiver([&] {
    threadId = GetCurrentThreadId();
    window = CreateWindowExW(0, u"SendBench", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    DestroyWindow(window);
  });
  while (!window) std::this_thread::yield();
  WPARAM value = 0;
  for (auto _ : state) {
    value = static_cast<WPARAM>(SendMessageW(window, WM_USER, value, 0));
    benchmark::DoNotOptimize(value);
  }
  PostThreadMessageW(threadId, WM_QUIT, 0, 0);
  receiver.join();
}
BENCHMARK(BM_SendMessageRoundTripBetweenThreads)->Unit(benchmark::kMicrosecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();

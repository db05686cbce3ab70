// A full repaint of a 230 x 230 window with 12 child windows: invalidation of the whole tree,
// then every WM_PAINT through the queue, each window filling its client area and framing it.
#include <win/gdi.h>
#include <win/user.h>

#include <benchmark/benchmark.h>

namespace {

LRESULT CALLBACK paintProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(window, &ps);
    RECT client;
    GetClientRect(window, &client);
    FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
    FrameRect(dc, &client, GetSysColorBrush(COLOR_BTNSHADOW));
    EndPaint(window, &ps);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void BM_FullRepaintWithTwelveChildren(benchmark::State& state) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = paintProcedure;
  wc.hbrBackground = reinterpret_cast<HBRUSH>(static_cast<ULONG_PTR>(COLOR_BTNFACE + 1));
  wc.lpszClassName = u"RepaintBench";
  RegisterClassW(&wc);
  HWND top = CreateWindowExW(0, u"RepaintBench", u"bench", WS_POPUP | WS_VISIBLE, 0, 0, 230, 230, nullptr, nullptr,
                             nullptr, nullptr);
  for (int i = 0; i < 12; ++i)
    CreateWindowExW(0, u"RepaintBench", u"", WS_CHILD | WS_VISIBLE, 10 + (i % 3) * 70, 10 + (i / 3) * 52, 60, 44, top,
                    nullptr, nullptr, nullptr);
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
  int paints = 0;
  for (auto _ : state) {
    InvalidateRect(top, nullptr, TRUE);
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      paints += msg.message == WM_PAINT;
      DispatchMessageW(&msg);
    }
  }
  state.counters["paints_per_repaint"] = static_cast<double>(paints) / static_cast<double>(state.iterations());
  DestroyWindow(top);
}
BENCHMARK(BM_FullRepaintWithTwelveChildren)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();

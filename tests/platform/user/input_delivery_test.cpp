// Input injected while the receiving window's thread sleeps in GetMessageW reaches it without the
// thread having to wake for any other reason: after a pause, right after a press that takes the
// capture, after a key that moves the focus, and while another thread that took input earlier has
// not come back to its queue.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <win/sync.h>

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <string>
#include <thread>
#include <vector>

using platform::display::DisplaySelection;
using platform::display::MouseButton;
using testsupport::TestWindow;

namespace {

// Waits up to two seconds, far longer than routing ever needs, for the condition to come true.
template <typename Condition>
bool arrivesSoon(Condition condition) {
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(2);
  while (std::chrono::steady_clock::now() < deadline) {
    if (condition()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  return condition();
}

// What a window does with its input besides recording it.
enum class Behaviour {
  none,
  captureOnPress,  // takes the capture on WM_LBUTTONDOWN
  focusChildOnF,   // moves the focus to its child on the F key
  stallOnPress,    // does not come back to its queue after WM_LBUTTONDOWN until released
};

// A top-level window, with one child, living on a thread of its own that sleeps in GetMessageW.
class WindowThread {
 public:
  WindowThread(int x, Behaviour behaviour, std::shared_future<void> release) {
    top.onMessage([this, behaviour, release](HWND w, UINT m, WPARAM wp, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_LBUTTONDOWN && behaviour == Behaviour::captureOnPress) SetCapture(w);
      if (m == WM_LBUTTONUP && behaviour == Behaviour::captureOnPress) ReleaseCapture();
      if (m == WM_LBUTTONDOWN && behaviour == Behaviour::stallOnPress) release.wait_for(std::chrono::seconds(10));
      if (m == WM_KEYDOWN && wp == 'F' && behaviour == Behaviour::focusChildOnF) SetFocus(child.handle);
      return std::nullopt;
    });
    std::promise<void> created;
    thread_ = std::thread([this, x, &created] {
      threadId_ = GetCurrentThreadId();
      top.create(WS_POPUP | WS_VISIBLE, x, 100, 200, 200);
      child.create(WS_CHILD | WS_VISIBLE, 150, 150, 40, 40, top.handle);
      created.set_value();
      MSG msg;
      while (GetMessageW(&msg, nullptr, 0, 0)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
      }
      DestroyWindow(top.handle);
    });
    created.get_future().wait();
  }
  ~WindowThread() {
    PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
    thread_.join();
  }
  TestWindow top, child;

 private:
  std::thread thread_;
  std::atomic<DWORD> threadId_{0};
};

class InputDelivery : public ::testing::Test {
 protected:
  void SetUp() override {
    display = DisplaySelection::headless();
    ASSERT_NE(nullptr, display);
    display->setDecorationExtents(platform::display::DecorationExtents{4, 30, 4, 4});
  }
  platform::display::headless::HeadlessDisplay* display = nullptr;
};

TEST_F(InputDelivery, ReachesASleepingThreadPromptly) {
  // Two windows side by side, left on one thread, right on another; points are on the screen.
  constexpr POINT left{150, 150}, right{550, 150};
  enum class Do { move, press, release, key, pause, awaitMove };
  struct Step {
    Do action;
    POINT point{0, 0};
    unsigned key = 0;  // for key; for pause the milliseconds
  };
  enum class Where { left, right, leftChild };
  struct Case {
    const char* name;
    Behaviour leftBehaviour;
    std::vector<Step> steps;
    Where where;
    UINT message;
    WPARAM wParam = 0;         // checked for keys only
    bool atRightPoint = false;  // a move the captured left window gets at the right-hand point
  } cases[] = {
      {"move, pause, press",
       Behaviour::none,
       {{Do::move, left}, {Do::awaitMove}, {Do::pause, {}, 50}, {Do::press, left}},
       Where::left,
       WM_LBUTTONDOWN,
       0},
      {"move, pause, press, pause, release",
       Behaviour::none,
       {{Do::move, left}, {Do::pause, {}, 30}, {Do::press, left}, {Do::pause, {}, 30}, {Do::release, left}},
       Where::left,
       WM_LBUTTONUP,
       0},
      {"a move right after a capture-taking press goes to the capture",
       Behaviour::captureOnPress,
       {{Do::move, left}, {Do::press, left}, {Do::move, right}},
       Where::left,
       WM_MOUSEMOVE,
       0,
       true},
      {"a move after a pause behind a capture-taking press goes to the capture",
       Behaviour::captureOnPress,
       {{Do::move, left}, {Do::press, left}, {Do::pause, {}, 50}, {Do::move, right}},
       Where::left,
       WM_MOUSEMOVE,
       0,
       true},
      {"a key right after the focus moves goes to the new focus",
       Behaviour::focusChildOnF,
       {{Do::move, left}, {Do::press, left}, {Do::release, left}, {Do::key, {}, 'F'}, {Do::key, {}, 'G'}},
       Where::leftChild,
       WM_KEYDOWN,
       'G'},
      {"a key after a pause behind the focus change goes to the new focus",
       Behaviour::focusChildOnF,
       {{Do::move, left},
        {Do::press, left},
        {Do::release, left},
        {Do::key, {}, 'F'},
        {Do::pause, {}, 50},
        {Do::key, {}, 'G'}},
       Where::leftChild,
       WM_KEYDOWN,
       'G'},
      {"a thread that does not come back lets input through after a while",
       Behaviour::stallOnPress,
       {{Do::move, left}, {Do::press, left}, {Do::move, right}},
       Where::right,
       WM_MOUSEMOVE,
       0},
  };
  for (const Case& c : cases) {
    std::promise<void> release;
    std::shared_future<void> released = release.get_future().share();
    WindowThread l(100, c.leftBehaviour, released), r(500, Behaviour::none, released);
    for (const Step& s : c.steps) {
      switch (s.action) {
        case Do::move:
          display->injectMouseMove(s.point.x, s.point.y);
          break;
        case Do::press:
          display->injectMouseButton(MouseButton::left, true, s.point.x, s.point.y);
          break;
        case Do::release:
          display->injectMouseButton(MouseButton::left, false, s.point.x, s.point.y);
          break;
        case Do::key:
          display->injectKey(s.key, true);
          display->injectKey(s.key, false);
          break;
        case Do::pause:
          std::this_thread::sleep_for(std::chrono::milliseconds(s.key));
          break;
        case Do::awaitMove:
          EXPECT_TRUE(arrivesSoon([&] { return l.top.count(WM_MOUSEMOVE) > 0; })) << c.name;
          break;
      }
    }
    TestWindow& target = c.where == Where::left ? l.top : (c.where == Where::right ? r.top : l.child);
    UINT message = c.message;
    bool atRight = c.atRightPoint;
    auto arrived = [&] {
      for (const auto& m : target.log()) {
        if (m.message != message) continue;
        if (message == WM_KEYDOWN && m.wParam != c.wParam) continue;
        // A move reported to the captured left window at the right-hand point lies beyond its client area.
        if (atRight && GET_X_LPARAM(m.lParam) < 200) continue;
        return true;
      }
      return false;
    };
    EXPECT_TRUE(arrivesSoon(arrived)) << c.name;
    if (atRight) {
      EXPECT_EQ(0, r.top.count(WM_MOUSEMOVE)) << c.name << ": the capture holds the mouse";
    }
    release.set_value();
    display->injectMouseButton(MouseButton::left, false, right.x, right.y);
  }
}

}  // namespace

// The window wrapper: messages from the very first one through WindowProc, the default processing of
// the window's own procedure, the wrapper found from its handle, attaching and detaching, the end of
// the window, and style changes with their frame notice.
#include <framework/Wnd.h>

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr const char16_t* className = u"FrameworkTestClass";

std::vector<UINT>& classSaw() {
  static std::vector<UINT> seen;
  return seen;
}

LRESULT CALLBACK classProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  classSaw().push_back(message);
  if (message == WM_APP) return 77;
  return DefWindowProcW(window, message, wParam, lParam);
}

void registerClass() {
  static bool done = [] {
    WNDCLASSW wc{};
    wc.lpfnWndProc = &classProcedure;
    wc.lpszClassName = className;
    return RegisterClassW(&wc) != 0;
  }();
  ASSERT_TRUE(done);
}

// A wrapper that logs what reaches its hooks and can answer one message itself.
class LoggingWnd : public CWnd {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    seen.push_back(message);
    if (message == WM_APP + 1) return 5;
    return CWnd::WindowProc(message, wParam, lParam);
  }
  void PreSubclassWindow() override { preSubclassed = m_hWnd; }
  void PostNcDestroy() override {
    ++postNcDestroyCalls;
    handleAtEnd = m_hWnd;
  }
  std::vector<UINT> seen;
  HWND preSubclassed = nullptr;
  int postNcDestroyCalls = 0;
  HWND handleAtEnd = reinterpret_cast<HWND>(1);
};

class Wnd : public ::testing::Test {
 protected:
  void SetUp() override {
    registerClass();
    classSaw().clear();
  }
};

TEST_F(Wnd, CreateExTakesEveryMessageFromTheFirstOn) {
  LoggingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, className, u"title", WS_OVERLAPPEDWINDOW, 10, 10, 200, 100, nullptr, nullptr));
  ASSERT_NE(nullptr, wnd.m_hWnd);
  EXPECT_EQ(wnd.m_hWnd, wnd.preSubclassed) << "told before any message";
  ASSERT_FALSE(wnd.seen.empty());
  EXPECT_EQ(wnd.seen, classSaw()) << "every message goes on to the class procedure";
  EXPECT_NE(std::find(wnd.seen.begin(), wnd.seen.end(), WM_NCCREATE), wnd.seen.end());
  EXPECT_NE(std::find(wnd.seen.begin(), wnd.seen.end(), WM_CREATE), wnd.seen.end());
  EXPECT_EQ(&wnd, CWnd::FromHandle(wnd.m_hWnd));
  EXPECT_EQ(&wnd, CWnd::FromHandlePermanent(wnd.m_hWnd));

  EXPECT_EQ(77, SendMessageW(wnd.m_hWnd, WM_APP, 0, 0)) << "default processing is the class procedure";
  classSaw().clear();
  EXPECT_EQ(5, SendMessageW(wnd.m_hWnd, WM_APP + 1, 0, 0)) << "an override answers itself";
  EXPECT_TRUE(classSaw().empty());

  HWND handle = wnd.m_hWnd;
  EXPECT_TRUE(wnd.DestroyWindow());
  EXPECT_EQ(WM_NCDESTROY, wnd.seen.back());
  EXPECT_EQ(1, wnd.postNcDestroyCalls);
  EXPECT_EQ(nullptr, wnd.handleAtEnd) << "detached before PostNcDestroy";
  EXPECT_EQ(nullptr, wnd.m_hWnd);
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(handle));
}

TEST_F(Wnd, ChildrenMadeDuringCreationGetTheirOwnWrappers) {
  struct Parent : LoggingWnd {
    LoggingWnd child;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
      if (message == WM_CREATE)
        child.Create(className, u"child", WS_VISIBLE, RECT{1, 2, 31, 22}, this, 42);
      return LoggingWnd::WindowProc(message, wParam, lParam);
    }
  } parent;
  ASSERT_TRUE(parent.CreateEx(0, className, u"p", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr));
  ASSERT_NE(nullptr, parent.child.m_hWnd);
  EXPECT_EQ(parent.child.m_hWnd, parent.child.preSubclassed);
  EXPECT_EQ(42, GetDlgCtrlID(parent.child.m_hWnd));
  EXPECT_EQ(&parent, parent.child.GetParent());
  EXPECT_TRUE(GetWindowLongW(parent.child.m_hWnd, GWL_STYLE) & WS_CHILD);
  EXPECT_NE(std::find(parent.child.seen.begin(), parent.child.seen.end(), WM_NCCREATE), parent.child.seen.end());
  parent.DestroyWindow();
  EXPECT_EQ(nullptr, parent.child.m_hWnd);
  EXPECT_EQ(1, parent.child.postNcDestroyCalls);
}

TEST_F(Wnd, AttachPairsWithoutTakingMessagesAndSubclassDoes) {
  HWND window = CreateWindowExW(0, className, u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, window);
  LoggingWnd attached;
  EXPECT_TRUE(attached.Attach(window));
  EXPECT_FALSE(attached.Attach(window)) << "a wrapper holds one window";
  LoggingWnd second;
  EXPECT_FALSE(second.Attach(window)) << "and a window has one wrapper";
  SendMessageW(window, WM_APP, 0, 0);
  EXPECT_TRUE(attached.seen.empty());
  EXPECT_EQ(window, attached.Detach());
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(window));

  WNDPROC original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
  LoggingWnd sub;
  ASSERT_TRUE(sub.SubclassWindow(window));
  EXPECT_EQ(window, sub.preSubclassed);
  EXPECT_EQ(77, SendMessageW(window, WM_APP, 0, 0));
  EXPECT_EQ(std::vector<UINT>{WM_APP}, sub.seen);
  EXPECT_EQ(window, sub.Detach());
  EXPECT_EQ(original, reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC)))
      << "detaching gives the window its procedure back";
  classSaw().clear();
  EXPECT_EQ(77, SendMessageW(window, WM_APP, 0, 0));
  EXPECT_EQ(1u, sub.seen.size());
  DestroyWindow(window);
}

TEST_F(Wnd, UnknownWindowsGetTemporaryWrappers) {
  HWND window = CreateWindowExW(0, className, u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  CWnd* temporary = CWnd::FromHandle(window);
  ASSERT_NE(nullptr, temporary);
  EXPECT_EQ(window, temporary->m_hWnd);
  EXPECT_EQ(temporary, CWnd::FromHandle(window)) << "one per window until the map is emptied";
  EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(window));
  EXPECT_EQ(nullptr, CWnd::FromHandle(nullptr));
  CWnd::DeleteTempMap();
  EXPECT_TRUE(IsWindow(window)) << "a temporary wrapper never destroys its window";
  DestroyWindow(window);
}

TEST_F(Wnd, DeletingAWrapperTakesItsWindow) {
  HWND handle;
  {
    LoggingWnd wnd;
    wnd.CreateEx(0, className, u"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    handle = wnd.m_hWnd;
  }
  EXPECT_FALSE(IsWindow(handle));
}

TEST_F(Wnd, ModifyStyleChangesOnlyWhatItIsAskedTo) {
  LoggingWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, className, u"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr));
  struct Case {
    const char* name;
    bool extended;
    DWORD remove, add;
    UINT flags;
    BOOL changed;
    bool frameNotice;
  };
  const Case cases[] = {
      {"remove the maximize box", false, WS_MAXIMIZEBOX, 0, 0, TRUE, false},
      {"nothing to change", false, WS_MAXIMIZEBOX, 0, SWP_FRAMECHANGED, FALSE, false},
      {"caption off, frame told", false, WS_CAPTION, 0, SWP_FRAMECHANGED, TRUE, true},
      {"tool window, frame told", true, 0, WS_EX_TOOLWINDOW, SWP_FRAMECHANGED, TRUE, true},
      {"client edge, silently", true, 0, WS_EX_CLIENTEDGE, 0, TRUE, false},
  };
  for (const Case& c : cases) {
    DWORD before = c.extended ? wnd.GetExStyle() : wnd.GetStyle();
    wnd.seen.clear();
    BOOL changed = c.extended ? wnd.ModifyStyleEx(c.remove, c.add, c.flags) : wnd.ModifyStyle(c.remove, c.add, c.flags);
    EXPECT_EQ(c.changed, changed) << c.name;
    DWORD after = c.extended ? wnd.GetExStyle() : wnd.GetStyle();
    EXPECT_EQ((before & ~c.remove) | c.add, after) << c.name;
    bool calc = std::find(wnd.seen.begin(), wnd.seen.end(), WM_NCCALCSIZE) != wnd.seen.end();
    EXPECT_EQ(c.frameNotice, calc) << c.name;
  }
  EXPECT_FALSE(CWnd::ModifyStyle(nullptr, 0, WS_VISIBLE, 0));
}

TEST_F(Wnd, PreTranslateInputGivesKeysToTheDialogNavigation) {
  CWnd frame, first, second;
  ASSERT_TRUE(frame.CreateEx(0, className, u"", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, nullptr, nullptr));
  first.Create(className, u"", WS_VISIBLE | WS_TABSTOP, RECT{0, 0, 10, 10}, &frame, 1);
  second.Create(className, u"", WS_VISIBLE | WS_TABSTOP, RECT{0, 20, 10, 30}, &frame, 2);
  first.SetFocus();
  struct Case {
    UINT message;
    WPARAM wParam;
    BOOL taken;
  };
  const Case cases[] = {{WM_KEYDOWN, VK_TAB, TRUE}, {WM_TIMER, 1, FALSE}, {WM_PAINT, 0, FALSE}};
  for (const Case& c : cases) {
    MSG m{first.m_hWnd, c.message, c.wParam, 0, 0, POINT{0, 0}};
    EXPECT_EQ(c.taken, frame.PreTranslateInput(&m)) << c.message;
  }
  EXPECT_EQ(second.m_hWnd, GetFocus()) << "Tab moved the focus on";
  frame.DestroyWindow();
}

}  // namespace

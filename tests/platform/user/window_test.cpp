// Window classes, creation and destruction order, the window tree, window slots and text.
#include "platform/user/TestWindow.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

using testsupport::only;
using testsupport::TestWindow;

namespace {

LRESULT CALLBACK plainProcedure(HWND w, UINT m, WPARAM wp, LPARAM lp) { return DefWindowProcW(w, m, wp, lp); }

TEST(WindowClass, RegistersOnceAndFindsNamesIgnoringCase) {
  WNDCLASSW wc{};
  wc.lpfnWndProc = plainProcedure;
  wc.style = CS_GLOBALCLASS;
  wc.lpszClassName = u"KestrelWindowClass";
  ASSERT_NE(0, RegisterClassW(&wc));
  EXPECT_EQ(0, RegisterClassW(&wc)) << "a second class of the same name";
  WNDCLASSW found{};
  EXPECT_TRUE(GetClassInfoW(nullptr, u"kestrelwindowclass", &found));
  EXPECT_EQ(static_cast<UINT>(CS_GLOBALCLASS), found.style);

  HWND w = CreateWindowExW(0, u"KESTRELWINDOWCLASS", u"", WS_POPUP, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(nullptr, w);
  RECT r;
  GetWindowRect(w, &r);
  EXPECT_EQ(0, r.right - r.left) << "CW_USEDEFAULT gives a popup no area";
  WCHAR name[64];
  EXPECT_EQ(18, GetClassNameW(w, name, 64));
  EXPECT_EQ(std::u16string(u"KestrelWindowClass"), std::u16string(name));
  EXPECT_FALSE(UnregisterClassW(u"KestrelWindowClass", nullptr)) << "a class in use stays";
  DestroyWindow(w);
  EXPECT_TRUE(UnregisterClassW(u"KestrelWindowClass", nullptr));
  EXPECT_EQ(nullptr, CreateWindowExW(0, u"NoSuchClass", u"", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr));
}

TEST(WindowLifecycle, CreationAndDestructionSendTheDocumentedSequence) {
  TestWindow parent, child;
  ASSERT_NE(nullptr, parent.create(WS_OVERLAPPEDWINDOW, 10, 10, 300, 200));
  EXPECT_EQ((std::vector<UINT>{WM_GETMINMAXINFO, WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE}),
            parent.messages());
  ASSERT_NE(nullptr, child.create(WS_CHILD | WS_VISIBLE, 5, 5, 50, 50, parent.handle));
  EXPECT_EQ((std::vector<UINT>{WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                               WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}),
            only(child.messages(), {WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE, WM_SIZE, WM_MOVE, WM_SHOWWINDOW,
                                    WM_WINDOWPOSCHANGING, WM_WINDOWPOSCHANGED}));

  // One log for both windows shows the interleaving: WM_DESTROY parent first, WM_NCDESTROY child first.
  std::vector<std::pair<HWND, UINT>> order;
  auto record = [&](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DESTROY || m == WM_NCDESTROY) order.emplace_back(w, m);
    return std::nullopt;
  };
  parent.onMessage(record);
  child.onMessage(record);
  HWND p = parent.handle, c = child.handle;
  EXPECT_TRUE(DestroyWindow(p));
  EXPECT_EQ((std::vector<std::pair<HWND, UINT>>{{p, WM_DESTROY}, {c, WM_DESTROY}, {c, WM_NCDESTROY}, {p, WM_NCDESTROY}}),
            order);
  EXPECT_FALSE(IsWindow(p));
  EXPECT_FALSE(IsWindow(c));
  EXPECT_FALSE(DestroyWindow(p)) << "a stale handle";
}

TEST(WindowLifecycle, RefusalsInCreationGiveNoWindow) {
  for (UINT refused : {static_cast<UINT>(WM_NCCREATE), static_cast<UINT>(WM_CREATE)}) {
    TestWindow w;
    w.onMessage([&](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == refused) return refused == WM_NCCREATE ? 0 : -1;
      return std::nullopt;
    });
    EXPECT_EQ(nullptr, w.create(WS_POPUP, 0, 0, 10, 10));
    EXPECT_EQ(1, w.count(WM_NCDESTROY)) << refused;
    EXPECT_EQ(refused == WM_CREATE ? 1 : 0, w.count(WM_DESTROY)) << refused;
  }
}

TEST(WindowLifecycle, StaleHandlesAreNeverReusedSoon) {
  TestWindow first;
  HWND old = first.create(WS_POPUP, 0, 0, 10, 10);
  DestroyWindow(old);
  for (int i = 0; i < 50; ++i) {
    TestWindow other;
    HWND h = other.create(WS_POPUP, 0, 0, 10, 10);
    EXPECT_NE(old, h);
    DestroyWindow(h);
  }
  EXPECT_FALSE(IsWindow(old));
  EXPECT_EQ(0, GetWindowLongW(old, GWL_STYLE));
  EXPECT_FALSE(PostMessageW(old, WM_USER, 0, 0));
}

TEST(WindowLifecycle, DestroyingTheOwnerDestroysOwnedWindowsFirst) {
  TestWindow owner, owned;
  owner.create(WS_OVERLAPPEDWINDOW, 0, 0, 200, 200);
  owned.create(WS_POPUP, 0, 0, 50, 50, owner.handle);
  EXPECT_EQ(owner.handle, GetWindow(owned.handle, GW_OWNER));
  EXPECT_EQ(owner.handle, GetParent(owned.handle)) << "a popup's parent is its owner";
  std::vector<HWND> order;
  auto record = [&](HWND w, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
    if (m == WM_DESTROY) order.push_back(w);
    return std::nullopt;
  };
  owner.onMessage(record);
  owned.onMessage(record);
  HWND a = owner.handle, b = owned.handle;
  DestroyWindow(a);
  EXPECT_EQ((std::vector<HWND>{b, a}), order);
}

TEST(WindowTree, RelationsAndEnumeration) {
  TestWindow top, a, b, inner;
  top.create(WS_OVERLAPPEDWINDOW, 0, 0, 300, 300);
  a.create(WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top.handle);
  b.create(WS_CHILD | WS_VISIBLE, 60, 0, 50, 50, top.handle);
  inner.create(WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a.handle);
  EXPECT_EQ(top.handle, GetParent(a.handle));
  EXPECT_EQ(nullptr, GetParent(top.handle)) << "an overlapped window has no parent";
  EXPECT_TRUE(IsChild(top.handle, inner.handle));
  EXPECT_FALSE(IsChild(b.handle, inner.handle));
  EXPECT_EQ(a.handle, GetWindow(top.handle, GW_CHILD)) << "children created later go below";
  EXPECT_EQ(b.handle, GetWindow(a.handle, GW_HWNDNEXT));
  EXPECT_EQ(a.handle, GetWindow(b.handle, GW_HWNDPREV));
  EXPECT_EQ(top.handle, GetAncestor(inner.handle, GA_ROOT));
  std::vector<HWND> seen;
  EnumChildWindows(
      top.handle,
      [](HWND h, LPARAM p) -> BOOL {
        reinterpret_cast<std::vector<HWND>*>(p)->push_back(h);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&seen));
  EXPECT_EQ((std::vector<HWND>{a.handle, inner.handle, b.handle}), seen);
  DestroyWindow(top.handle);
}

TEST(WindowSlots, StylesUserDataAndSubclassing) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, WS_EX_APPWINDOW);
  EXPECT_TRUE(GetWindowLongW(w.handle, GWL_STYLE) & WS_CAPTION);
  EXPECT_EQ(WS_EX_APPWINDOW, GetWindowLongW(w.handle, GWL_EXSTYLE) & WS_EX_APPWINDOW);
  w.clear();
  LONG ex = GetWindowLongW(w.handle, GWL_EXSTYLE);
  SetWindowLongW(w.handle, GWL_EXSTYLE, (ex & ~WS_EX_APPWINDOW) | WS_EX_TOOLWINDOW);
  EXPECT_EQ((std::vector<UINT>{WM_STYLECHANGING, WM_STYLECHANGED}), w.messages());
  EXPECT_EQ(WS_EX_TOOLWINDOW, GetWindowLongW(w.handle, GWL_EXSTYLE) & (WS_EX_TOOLWINDOW | WS_EX_APPWINDOW));

  // GWLP_USERDATA holds the test object; subclassing swaps the procedure and answers the old one.
  static int subclassed = 0;
  struct Sub {
    static LRESULT CALLBACK proc(HWND h, UINT m, WPARAM wp, LPARAM lp) {
      if (m == WM_USER + 7) return ++subclassed;
      return CallWindowProcW(TestWindow::procedure, h, m, wp, lp);
    }
  };
  auto old = reinterpret_cast<WNDPROC>(SetWindowLongPtrW(w.handle, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Sub::proc)));
  EXPECT_EQ(&TestWindow::procedure, old);
  EXPECT_EQ(1, SendMessageW(w.handle, WM_USER + 7, 0, 0));
  EXPECT_EQ(reinterpret_cast<LONG_PTR>(&w), GetWindowLongPtrW(w.handle, GWLP_USERDATA));
  DestroyWindow(w.handle);
}

TEST(WindowText, SetAndGetWithTruncation) {
  TestWindow w;
  w.create(WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, 0, u"Window");
  WCHAR buffer[16];
  EXPECT_EQ(6, GetWindowTextW(w.handle, buffer, 16));
  EXPECT_EQ(std::u16string(u"Window"), std::u16string(buffer));
  EXPECT_TRUE(SetWindowTextW(w.handle, u"Vesper power"));
  EXPECT_EQ(12, GetWindowTextLengthW(w.handle));
  EXPECT_EQ(4, GetWindowTextW(w.handle, buffer, 5));
  EXPECT_EQ(std::u16string(u"Vesp"), std::u16string(buffer));
  EXPECT_EQ(0, GetWindowTextW(w.handle, buffer, 0));
  DestroyWindow(w.handle);
}

TEST(WindowText, ReadsAcrossThreads) {
  TestWindow w;
  w.create(WS_POPUP, 0, 0, 10, 10, nullptr, 0, u"far");
  WCHAR buffer[8] = {};
  std::atomic<bool> read{false};
  std::thread reader([&] {
    GetWindowTextW(w.handle, buffer, 8);
    read = true;
  });
  // The reading thread's send is answered while this thread waits in its queue.
  while (!read) {
    testsupport::pumpMessages();
    std::this_thread::yield();
  }
  reader.join();
  EXPECT_EQ(std::u16string(u"far"), std::u16string(buffer));
  DestroyWindow(w.handle);
}

TEST(WindowLifecycle, WindowsOfAnEndedThreadAreDestroyed) {
  TestWindow w;
  std::thread owner([&] { w.create(WS_POPUP, 0, 0, 10, 10); });
  owner.join();
  EXPECT_FALSE(IsWindow(w.handle));
  EXPECT_EQ(1, w.count(WM_NCDESTROY));
  EXPECT_FALSE(DestroyWindow(w.handle));
}

TEST(WindowLifecycle, OnlyTheOwningThreadDestroys) {
  TestWindow w;
  w.create(WS_POPUP, 0, 0, 10, 10);
  BOOL destroyed = TRUE;
  std::thread other([&] { destroyed = DestroyWindow(w.handle); });
  other.join();
  EXPECT_FALSE(destroyed);
  EXPECT_TRUE(IsWindow(w.handle));
  DestroyWindow(w.handle);
}

}  // namespace

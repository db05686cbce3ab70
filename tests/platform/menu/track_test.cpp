// Tracking popup menus on the headless display, driven from the test thread while a window thread
// runs TrackPopupMenu: choices by clicks and by keys arrive as WM_COMMAND or as the answer, the owner
// hears WM_INITMENUPOPUP first, the "#32768" window closes on WM_CLOSE, Escape or a click outside,
// submenus open beside their item, the hover highlight shows, and the thread's timers keep running.
#include "platform/support/HeadlessTest.h"

#include <win/menu.h>

#include <atomic>

using namespace uisupport;

namespace {

enum : UINT { cmdOpen = 100, cmdSave = 101, cmdGray = 102, cmdAlpha = 200, cmdBeta = 201 };

// "&Open", "&Save" (checked), separator, "Grayed" (grayed), "&More" > {"&Alpha", "&Beta" (radio)}.
HMENU buildMenu() {
  HMENU menu = CreatePopupMenu(), sub = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, cmdOpen, u"&Open\tCtrl+O");
  AppendMenuW(menu, MF_STRING | MF_CHECKED, cmdSave, u"&Save");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_GRAYED, cmdGray, u"Grayed");
  AppendMenuW(sub, MF_STRING, cmdAlpha, u"&Alpha");
  AppendMenuW(sub, MF_STRING, cmdBeta, u"&Beta");
  CheckMenuRadioItem(sub, cmdAlpha, cmdBeta, cmdBeta, MF_BYCOMMAND);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), u"&More");
  return menu;
}

// A window thread that owns a recorder window and tracks one menu on request.
class MenuThread {
 public:
  explicit MenuThread(UINT flags, POINT at = POINT{200, 150}) : flags_(flags), at_(at) {
    menu = buildMenu();
    thread_ = std::thread([this] { run(); });
    EXPECT_TRUE(waitFor([this] { return ready_.load(); }));
  }
  ~MenuThread() {
    finish();
    if (thread_.joinable()) thread_.join();
    DestroyMenu(menu);
  }
  // Waits until the menu's first window is shown and holds the mouse.
  HWND popup() {
    HWND found = nullptr;
    EXPECT_TRUE(waitFor([&] {
      auto windows = visibleWindowsOfClass(POPUPMENU_CLASSW);
      found = windows.empty() ? nullptr : windows.back();
      return found && GetCapture() == found;
    }));
    return found;
  }
  // Waits for TrackPopupMenu to return and answers its result.
  BOOL result() {
    EXPECT_TRUE(waitFor([this] { return returned_.load(); })) << "the menu did not close";
    if (!returned_) finish();
    return answer_;
  }
  // The WM_COMMAND messages the owner got after the menu closed.
  std::vector<UINT> commands() {
    std::vector<UINT> out;
    for (const auto& e : owner.entries(WM_COMMAND)) out.push_back(LOWORD(e.wParam));
    return out;
  }
  Recorder owner;
  HMENU menu = nullptr;
  std::atomic<int> timerTicks{0};

 private:
  void run() {
    owner.create(WS_POPUP | WS_VISIBLE, 0, 0, 150, 100);
    owner.answer([this](UINT m, WPARAM, LPARAM, LRESULT*) {
      if (m == WM_TIMER) ++timerTicks;
      return false;
    });
    SetForegroundWindow(owner.handle);
    SetFocus(owner.handle);
    SetTimer(owner.handle, 7, 10, nullptr);
    ready_ = true;
    answer_ = TrackPopupMenu(menu, flags_, at_.x, at_.y, 0, owner.handle, nullptr);
    KillTimer(owner.handle, 7);
    pump();  // the posted WM_COMMAND, if any
    returned_ = true;
    MSG msg;
    while (!stop_ && GetMessageW(&msg, nullptr, 0, 0)) DispatchMessageW(&msg);
    DestroyWindow(owner.handle);
  }
  void finish() {
    // A test that failed half way must not leave the thread in its menu loop.
    for (HWND w : visibleWindowsOfClass(POPUPMENU_CLASSW)) SendMessageW(w, WM_CLOSE, 0, 0);
    stop_ = true;
    if (owner.handle) PostMessageW(owner.handle, WM_NULL, 0, 0);
  }

  UINT flags_;
  POINT at_;
  std::thread thread_;
  std::atomic<bool> ready_{false}, returned_{false}, stop_{false};
  std::atomic<BOOL> answer_{0};
};

// The screen centre of item `index` of an open popup.
POINT itemCentre(HWND popup, int index) {
  RECT r;
  GetWindowRect(popup, &r);
  int y = r.top + 3;
  const int heights[] = {22, 22, 7, 22, 22};
  for (int i = 0; i < index; ++i) y += heights[i];
  return POINT{r.left + 60, y + heights[index] / 2};
}

class Tracking : public HeadlessTest {};

TEST_F(Tracking, AClickedItemArrivesAsWmCommandAfterWmInitMenuPopup) {
  MenuThread thread(TPM_LEFTALIGN | TPM_TOPALIGN);
  HWND popup = thread.popup();
  ASSERT_NE(nullptr, popup);
  RECT r;
  GetWindowRect(popup, &r);
  EXPECT_EQ(200, r.left);
  EXPECT_EQ(150, r.top);
  POINT p = itemCentre(popup, 1);
  display->injectClick(MouseButton::left, p.x, p.y);
  EXPECT_EQ(TRUE, thread.result());
  EXPECT_EQ(std::vector<UINT>{cmdSave}, thread.commands());
  auto init = thread.owner.entries(WM_INITMENUPOPUP);
  ASSERT_EQ(1u, init.size());
  EXPECT_EQ(reinterpret_cast<WPARAM>(thread.menu), init[0].wParam);
  auto order = thread.owner.messages();
  auto first = [&](UINT m) { return std::find(order.begin(), order.end(), m) - order.begin(); };
  EXPECT_LT(first(WM_ENTERMENULOOP), first(WM_INITMENUPOPUP));
  EXPECT_LT(first(WM_INITMENUPOPUP), first(WM_EXITMENULOOP));
  EXPECT_LT(first(WM_EXITMENULOOP), first(WM_COMMAND));
  EXPECT_TRUE(visibleWindowsOfClass(POPUPMENU_CLASSW).empty());
}

TEST_F(Tracking, KeysChooseTheAnswerWithReturnCmd) {
  struct Case {
    const char* name;
    std::vector<unsigned> keys;
    BOOL answer;
  } cases[] = {
      {"down twice and enter", {VK_DOWN, VK_DOWN, VK_RETURN}, cmdSave},
      {"up wraps to the last item and skips nothing but separators", {VK_UP, VK_UP, VK_RETURN}, 0},
      {"access letter", {'S'}, cmdSave},
      {"submenu by letter, then its letter", {'M', 'A'}, cmdAlpha},
      {"submenu by right arrow", {VK_UP, VK_RIGHT, VK_DOWN, VK_RETURN}, cmdBeta},
      {"escape closes the submenu first", {'M', VK_ESCAPE, VK_UP, VK_UP, VK_UP, VK_RETURN}, cmdOpen},
      {"escape closes the menu", {VK_ESCAPE}, 0},
  };
  for (const auto& c : cases) {
    MenuThread thread(TPM_RETURNCMD);
    ASSERT_NE(nullptr, thread.popup()) << c.name;
    for (unsigned k : c.keys) key(k);
    if (c.answer == 0 && c.keys.back() != VK_ESCAPE) key(VK_ESCAPE);  // Enter on a grayed item does nothing
    EXPECT_EQ(c.answer, thread.result()) << c.name;
    EXPECT_TRUE(thread.commands().empty()) << "with TPM_RETURNCMD nothing is posted: " << c.name;
  }
}

TEST_F(Tracking, WmCloseToThePopupWindowClosesTheMenuWithoutACommand) {
  MenuThread thread(0);
  HWND popup = thread.popup();
  ASSERT_NE(nullptr, popup);
  SendMessageW(popup, WM_CLOSE, 0, 0);
  EXPECT_EQ(TRUE, thread.result());
  EXPECT_TRUE(thread.commands().empty());
  EXPECT_FALSE(IsWindow(popup));
}

TEST_F(Tracking, AClickOutsideDismissesAndReachesTheWindowThere) {
  MenuThread thread(TPM_RETURNCMD);
  ASSERT_NE(nullptr, thread.popup());
  display->injectClick(MouseButton::left, 20, 20);  // on the owner
  EXPECT_EQ(0, thread.result());
  EXPECT_TRUE(waitFor([&] { return !thread.owner.entries(WM_LBUTTONDOWN).empty(); }));
}

TEST_F(Tracking, GrayedItemsAndSeparatorsAreNotChosen) {
  MenuThread thread(TPM_RETURNCMD);
  HWND popup = thread.popup();
  ASSERT_NE(nullptr, popup);
  for (int index : {2, 3}) {
    POINT p = itemCentre(popup, index);
    display->injectClick(MouseButton::left, p.x, p.y);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_TRUE(IsWindowVisible(popup)) << "the menu stays open";
  key(VK_ESCAPE);
  EXPECT_EQ(0, thread.result());
}

TEST_F(Tracking, HoverHighlightsAndOpensTheSubmenuBeside) {
  MenuThread thread(TPM_RETURNCMD);
  HWND popup = thread.popup();
  ASSERT_NE(nullptr, popup);
  POINT open = itemCentre(popup, 0);
  display->injectMouseMove(open.x, open.y);
  EXPECT_TRUE(waitFor([&] { return presentedPixel(display, popup, 10, 4) == RGB(204, 232, 255); }))
      << "the hovered item is highlighted";
  POINT more = itemCentre(popup, 4);
  display->injectMouseMove(more.x, more.y);
  EXPECT_TRUE(waitFor([] { return visibleWindowsOfClass(POPUPMENU_CLASSW).size() == 2; }));
  auto windows = visibleWindowsOfClass(POPUPMENU_CLASSW);
  HWND sub = windows[0] == popup ? windows[1] : windows[0];
  RECT parentRect, subRect;
  GetWindowRect(popup, &parentRect);
  GetWindowRect(sub, &subRect);
  EXPECT_GE(subRect.left, parentRect.right - 4);
  EXPECT_EQ(2u, thread.owner.entries(WM_INITMENUPOPUP).size());
  RECT s;
  GetWindowRect(sub, &s);
  display->injectClick(MouseButton::left, s.left + 40, s.top + 3 + 22 + 11);
  EXPECT_EQ(static_cast<BOOL>(cmdBeta), thread.result());
}

TEST_F(Tracking, PopupsStayOnTheMonitorAndTimersKeepRunning) {
  MenuThread thread(0, POINT{1020, 720});
  HWND popup = thread.popup();
  ASSERT_NE(nullptr, popup);
  RECT r;
  GetWindowRect(popup, &r);
  EXPECT_LE(r.right, 1020);
  EXPECT_LE(r.bottom, 728) << "inside the work area";
  int before = thread.timerTicks;
  EXPECT_TRUE(waitFor([&] { return thread.timerTicks > before + 3; })) << "timers are dispatched by the menu loop";
  key(VK_ESCAPE);
  EXPECT_EQ(TRUE, thread.result());
}

TEST_F(Tracking, BadRequestsFailAtOnce) {
  HMENU menu = buildMenu();
  EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, nullptr, nullptr)) << "no owner";
  DestroyMenu(menu);
  Recorder owner;
  owner.create(WS_POPUP, 0, 0, 10, 10);
  EXPECT_FALSE(TrackPopupMenu(menu, 0, 0, 0, 0, owner.handle, nullptr)) << "a destroyed menu";
  TPMPARAMS params{};
  EXPECT_FALSE(TrackPopupMenuEx(menu, 0, 0, 0, owner.handle, &params));
  DestroyWindow(owner.handle);
}

}  // namespace

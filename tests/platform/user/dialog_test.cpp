// Keyboard navigation between the controls of a window: Tab and Shift+Tab over the tab stops (inside
// control-parent containers too), arrows within a group, Enter and Escape as commands, and the
// controls' say through WM_GETDLGCODE.
#include "platform/user/TestWindow.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

using platform::display::DisplaySelection;
using testsupport::Received;
using testsupport::TestWindow;

namespace {

constexpr UINT clickMessage = 0x00F5;  // BM_CLICK

// A dialog-like window with named controls.
class Dialog : public ::testing::Test {
 protected:
  void SetUp() override {
    DisplaySelection::headless();
    frame.create(WS_POPUP | WS_VISIBLE, 100, 100, 300, 300);
  }
  void TearDown() override { DestroyWindow(frame.handle); }

  HWND add(const std::string& name, DWORD style, HWND parent = nullptr, DWORD exStyle = 0, int id = 0) {
    auto& c = controls[name];
    c.create(WS_CHILD | WS_VISIBLE | style, 0, static_cast<int>(controls.size()) * 10, 50, 10,
             parent ? parent : frame.handle, exStyle);
    if (id) SetWindowLongPtrW(c.handle, GWLP_ID, id);
    return c.handle;
  }
  HWND h(const std::string& name) { return controls[name].handle; }
  void answerDialogCode(const std::string& name, LRESULT code) {
    controls[name].onMessage([code](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
      if (m == WM_GETDLGCODE) return code;
      return std::nullopt;
    });
  }
  // Offers a key press on the focused control to the dialog navigation, as a message loop does.
  BOOL press(WPARAM key) {
    MSG m{GetFocus(), WM_KEYDOWN, key, 1, 0, POINT{0, 0}};
    return IsDialogMessageW(frame.handle, &m);
  }
  std::string focusName() {
    HWND f = GetFocus();
    for (auto& [name, c] : controls)
      if (c.handle == f) return name;
    return f == frame.handle ? "frame" : "?";
  }
  std::vector<Received> commands() {
    std::vector<Received> out;
    for (const Received& r : frame.log())
      if (r.message == WM_COMMAND) out.push_back(r);
    return out;
  }

  TestWindow frame;
  std::map<std::string, TestWindow> controls;
};

TEST_F(Dialog, TabVisitsTabStopsInOrderLookingIntoContainers) {
  add("a", WS_TABSTOP);
  add("plain", 0);
  add("c", WS_TABSTOP);
  HWND box = add("box", 0, nullptr, WS_EX_CONTROLPARENT);
  add("d", WS_TABSTOP, box);
  add("e", WS_TABSTOP, box);
  add("disabled", WS_TABSTOP | WS_DISABLED);
  add("hidden", WS_TABSTOP);
  ShowWindow(h("hidden"), SW_HIDE);
  add("h", WS_TABSTOP);
  struct Case {
    const char* from;
    BOOL backwards;
    const char* to;
  };
  const Case cases[] = {
      {"a", FALSE, "c"}, {"c", FALSE, "d"}, {"d", FALSE, "e"}, {"e", FALSE, "h"}, {"h", FALSE, "a"},
      {"a", TRUE, "h"},  {"d", TRUE, "c"},  {"h", TRUE, "e"},  {"plain", FALSE, "c"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(h(c.to), GetNextDlgTabItem(frame.handle, h(c.from), c.backwards))
        << c.from << (c.backwards ? " back" : " on");
  }
  EXPECT_EQ(h("a"), GetNextDlgTabItem(frame.handle, nullptr, FALSE)) << "from nothing to the first";
  EXPECT_EQ(h("h"), GetNextDlgTabItem(frame.handle, nullptr, TRUE)) << "from nothing back to the last";

  SetFocus(h("e"));
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ("h", focusName());
  EXPECT_TRUE(press(VK_TAB));
  EXPECT_EQ("a", focusName()) << "Tab wraps around";
  EXPECT_EQ(0, controls["e"].count(WM_KEYDOWN)) << "a navigation key is not dispatched";
}

TEST_F(Dialog, ShiftTabGoesBackByTheKeyStateTheThreadHasTaken) {
  auto* display = DisplaySelection::headless();
  add("a", WS_TABSTOP);
  add("b", WS_TABSTOP);
  add("c", WS_TABSTOP);
  SetFocus(h("b"));
  testsupport::pumpMessages();
  display->injectKey(VK_SHIFT, true);
  display->injectKey(VK_TAB, true);
  display->injectKey(VK_TAB, false);
  display->injectKey(VK_SHIFT, false);
  MSG m;
  while (PeekMessageW(&m, nullptr, 0, 0, PM_REMOVE))
    if (!IsDialogMessageW(frame.handle, &m)) {
      TranslateMessage(&m);
      DispatchMessageW(&m);
    }
  EXPECT_EQ("a", focusName());
  EXPECT_LE(0, GetKeyState(VK_SHIFT)) << "the release has been taken too";
}

TEST_F(Dialog, ControlsKeepTheKeysTheyAskFor) {
  add("a", WS_TABSTOP);
  add("b", WS_TABSTOP);
  struct Case {
    LRESULT code;
    WPARAM key;
    bool kept;
  };
  const Case cases[] = {
      {DLGC_WANTTAB, VK_TAB, true},        {DLGC_WANTARROWS, VK_DOWN, true}, {DLGC_WANTALLKEYS, VK_RETURN, true},
      {DLGC_WANTALLKEYS, VK_TAB, true},    {DLGC_WANTARROWS, VK_TAB, false}, {0, VK_TAB, false},
      {DLGC_WANTTAB, 'X', true},
  };
  for (const Case& c : cases) {
    answerDialogCode("a", c.code);
    controls["a"].clear();
    SetFocus(h("a"));
    MSG m{h("a"), WM_KEYDOWN, c.key, 1, 0, POINT{0, 0}};
    EXPECT_TRUE(IsDialogMessageW(frame.handle, &m)) << "every message of the dialog is handled there";
    EXPECT_EQ(c.kept ? 1 : 0, controls["a"].count(WM_KEYDOWN)) << "code " << c.code << " key " << c.key;
    EXPECT_EQ(c.kept, GetFocus() == h("a"));
    EXPECT_GE(controls["a"].count(WM_GETDLGCODE), 1);
  }
}

TEST_F(Dialog, ArrowsMoveWithinTheGroupAndClickRadioButtons) {
  add("before", WS_TABSTOP);
  add("r1", WS_GROUP | WS_TABSTOP);
  add("r2", 0);
  add("off", WS_DISABLED);
  add("r3", 0);
  add("after", WS_GROUP | WS_TABSTOP);
  struct Case {
    const char* from;
    BOOL backwards;
    const char* to;
  };
  const Case cases[] = {{"r1", FALSE, "r2"}, {"r2", FALSE, "r3"}, {"r3", FALSE, "r1"},
                        {"r1", TRUE, "r3"},  {"r3", TRUE, "r2"},  {"after", FALSE, "after"}};
  for (const Case& c : cases)
    EXPECT_EQ(h(c.to), GetNextDlgGroupItem(frame.handle, h(c.from), c.backwards)) << c.from;

  answerDialogCode("r2", DLGC_RADIOBUTTON | DLGC_BUTTON);
  SetFocus(h("r1"));
  EXPECT_TRUE(press(VK_RIGHT));
  EXPECT_EQ("r2", focusName());
  EXPECT_EQ(1, controls["r2"].count(clickMessage)) << "arriving at a radio button checks it";
  EXPECT_TRUE(press(VK_UP));
  EXPECT_EQ("r1", focusName());
  EXPECT_EQ(0, controls["r1"].count(clickMessage)) << "other controls only get the focus";
}

TEST_F(Dialog, EnterAndEscapeBecomeCommands) {
  HWND ok = add("ok", WS_TABSTOP, nullptr, 0, 1);
  HWND cancel = add("cancel", WS_TABSTOP, nullptr, 0, 2);
  HWND other = add("other", WS_TABSTOP, nullptr, 0, 7);
  HWND edit = add("edit", WS_TABSTOP, nullptr, 0, 9);
  struct Case {
    const char* name;
    std::function<void()> arrange;
    WPARAM key;
    int id;
    HWND control;
  };
  const Case cases[] = {
      {"enter without a default id clicks IDOK", [] {}, VK_RETURN, 1, ok},
      {"escape clicks IDCANCEL", [] {}, VK_ESCAPE, 2, cancel},
      {"the dialog's default id",
       [&] {
         frame.onMessage([](HWND, UINT m, WPARAM, LPARAM) -> std::optional<LRESULT> {
           if (m == DM_GETDEFID) return MAKELRESULT(7, DC_HASDEFID);
           return std::nullopt;
         });
       },
       VK_RETURN, 7, other},
      {"a focused push button is clicked itself",
       [&] {
         answerDialogCode("cancel", DLGC_UNDEFPUSHBUTTON | DLGC_BUTTON);
         SetFocus(cancel);
       },
       VK_RETURN, 2, cancel},
  };
  for (const Case& c : cases) {
    frame.onMessage(nullptr);
    SetFocus(edit);
    c.arrange();
    frame.clear();
    EXPECT_TRUE(press(c.key));
    auto sent = commands();
    ASSERT_EQ(1u, sent.size()) << c.name;
    EXPECT_EQ(c.id, LOWORD(sent[0].wParam)) << c.name;
    EXPECT_EQ(0, HIWORD(sent[0].wParam)) << c.name << ": a click";
    EXPECT_EQ(reinterpret_cast<LPARAM>(c.control), sent[0].lParam) << c.name;
  }
  frame.onMessage(nullptr);
  answerDialogCode("cancel", 0);
  EnableWindow(ok, FALSE);
  SetFocus(edit);
  frame.clear();
  press(VK_RETURN);
  EXPECT_TRUE(commands().empty()) << "a disabled default button takes no click";
}

TEST_F(Dialog, MessagesOfOtherWindowsAreLeftAlone) {
  TestWindow stranger;
  stranger.create(WS_POPUP | WS_VISIBLE, 0, 0, 10, 10);
  MSG m{stranger.handle, WM_KEYDOWN, VK_TAB, 1, 0, POINT{0, 0}};
  EXPECT_FALSE(IsDialogMessageW(frame.handle, &m));
  EXPECT_EQ(0, stranger.count(WM_KEYDOWN));
  MSG none{frame.handle, WM_KEYDOWN, VK_TAB, 1, 0, POINT{0, 0}};
  EXPECT_FALSE(IsDialogMessageW(nullptr, &none));
  EXPECT_FALSE(IsDialogMessageW(frame.handle, nullptr));
  DestroyWindow(stranger.handle);
}

}  // namespace

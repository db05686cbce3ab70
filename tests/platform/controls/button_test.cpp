// The BUTTON class on the headless display: clicks, the space key and double clicks reported to the
// parent, check boxes and their check message, styles, the ideal size following the font, the
// background asked of the parent, and the pressed, disabled, focus and default looks.
#include "platform/controls/UiSupport.h"

#include <win/controls.h>
#include <win/text.h>

#include <algorithm>
#include <iterator>

using namespace uisupport;

namespace {

constexpr int buttonId = 42;

class Buttons : public ::testing::Test {
 protected:
  void SetUp() override {
    display = openHeadless();
    parent.create(WS_POPUP | WS_VISIBLE, 100, 100, 300, 200);
    ASSERT_NE(nullptr, parent.handle);
  }
  void TearDown() override { DestroyWindow(parent.handle); }

  HWND button(DWORD style, const char16_t* text = u"Press", int x = 20, int y = 20, int w = 100, int h = 30) {
    return CreateWindowExW(0, WC_BUTTONW, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, parent.handle,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(buttonId)), nullptr, nullptr);
  }
  // The notification codes of the button's WM_COMMAND messages to the parent, in order.
  std::vector<WORD> notifications(HWND from) const {
    std::vector<WORD> out;
    for (const auto& e : parent.entries(WM_COMMAND)) {
      EXPECT_EQ(buttonId, LOWORD(e.wParam));
      EXPECT_EQ(reinterpret_cast<LPARAM>(from), e.lParam);
      out.push_back(HIWORD(e.wParam));
    }
    return out;
  }
  void paintNow() {
    RedrawWindow(parent.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    pump();
  }
  COLORREF pixel(int x, int y) { return presentedPixel(display, parent.handle, x, y); }

  HeadlessDisplay* display = nullptr;
  Recorder parent;
};

TEST_F(Buttons, AClickArrivesAsBnClickedOnlyWhenReleasedInside) {
  struct Case {
    int releaseX, releaseY;
    size_t clicks;
  } cases[] = {{170, 135, 1}, {121, 121, 1}, {260, 135, 0}, {170, 200, 0}};
  for (const Case& c : cases) {
    HWND b = button(BS_PUSHBUTTON);
    parent.clear();
    display->injectMouseMove(170, 135);
    display->injectMouseButton(MouseButton::left, true, 170, 135);
    pump();  // the button takes the capture on the press
    display->injectMouseMove(c.releaseX, c.releaseY);
    display->injectMouseButton(MouseButton::left, false, c.releaseX, c.releaseY);
    pump();
    EXPECT_EQ(c.clicks, notifications(b).size()) << c.releaseX << "," << c.releaseY;
    EXPECT_EQ(nullptr, GetCapture());
    DestroyWindow(b);
  }
}

TEST_F(Buttons, SpaceKeyAndBmClickPressTheFocusedButton) {
  HWND b = button(BS_PUSHBUTTON);
  SetFocus(b);
  pump();
  parent.clear();
  display->injectKey(VK_SPACE, true);
  pump();
  EXPECT_EQ(BST_PUSHED | BST_FOCUS, SendMessageW(b, BM_GETSTATE, 0, 0) & (BST_PUSHED | BST_FOCUS));
  display->injectKey(VK_SPACE, false);
  pump();
  EXPECT_EQ(std::vector<WORD>{BN_CLICKED}, notifications(b));
  EXPECT_EQ(0, SendMessageW(b, BM_GETSTATE, 0, 0) & BST_PUSHED);
  SendMessageW(b, BM_CLICK, 0, 0);
  EXPECT_EQ((std::vector<WORD>{BN_CLICKED, BN_CLICKED}), notifications(b));
  EnableWindow(b, FALSE);
  SendMessageW(b, BM_CLICK, 0, 0);
  EXPECT_EQ(2u, notifications(b).size()) << "a disabled button is not clicked";
  DestroyWindow(b);
}

TEST_F(Buttons, DoubleClicksNotifyWithBsNotifyAndClickAgainWithout) {
  struct Case {
    DWORD style;
    std::vector<WORD> codes;
  } cases[] = {{BS_PUSHBUTTON, {BN_CLICKED, BN_CLICKED}}, {BS_PUSHBUTTON | BS_NOTIFY, {BN_CLICKED, BN_DOUBLECLICKED}}};
  for (const Case& c : cases) {
    HWND b = button(c.style);
    pump();
    parent.clear();
    display->injectClick(MouseButton::left, 150, 130);
    pump();
    display->injectClick(MouseButton::left, 150, 130);
    pump();
    std::vector<WORD> codes = notifications(b);
    codes.erase(std::remove_if(codes.begin(), codes.end(), [](WORD w) { return w == BN_SETFOCUS; }), codes.end());
    EXPECT_EQ(c.codes, codes) << std::hex << c.style;
    DestroyWindow(b);
  }
}

// Records the check messages that reach a subclassed button before its own procedure.
WNDPROC original = nullptr;
std::vector<WPARAM> checksSeen;
LRESULT CALLBACK watchChecks(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == BM_SETCHECK) checksSeen.push_back(wParam);
  return CallWindowProcW(original, window, message, wParam, lParam);
}

TEST_F(Buttons, AutoCheckBoxesSendThemselvesTheCheckMessageBeforeTellingTheParent) {
  HWND box = button(BS_AUTOCHECKBOX, u"Option");
  original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(box, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&watchChecks)));
  checksSeen.clear();
  parent.clear();
  display->injectClick(MouseButton::left, 130, 135);
  pump();
  EXPECT_EQ(BST_CHECKED, SendMessageW(box, BM_GETCHECK, 0, 0));
  display->injectClick(MouseButton::left, 130, 135);
  pump();
  EXPECT_EQ(BST_UNCHECKED, SendMessageW(box, BM_GETCHECK, 0, 0));
  EXPECT_EQ((std::vector<WPARAM>{BST_CHECKED, BST_UNCHECKED}), checksSeen);
  std::vector<WORD> codes = notifications(box);
  EXPECT_EQ(2, std::count(codes.begin(), codes.end(), BN_CLICKED));
  DestroyWindow(box);
}

TEST_F(Buttons, TheCheckMessageKeepsStatesEachKindCanShow) {
  struct Case {
    DWORD style;
    WPARAM set;
    LRESULT read;
  } cases[] = {
      {BS_PUSHBUTTON, BST_CHECKED, BST_UNCHECKED},      {BS_DEFPUSHBUTTON, BST_CHECKED, BST_UNCHECKED},
      {BS_AUTOCHECKBOX, BST_CHECKED, BST_CHECKED},      {BS_CHECKBOX, BST_CHECKED, BST_CHECKED},
      {BS_AUTOCHECKBOX, BST_INDETERMINATE, BST_CHECKED}, {BS_AUTO3STATE, BST_INDETERMINATE, BST_INDETERMINATE},
      {BS_AUTOCHECKBOX, 7, BST_UNCHECKED},
  };
  for (const Case& c : cases) {
    HWND b = button(c.style);
    SendMessageW(b, BM_SETCHECK, c.set, 0);
    EXPECT_EQ(c.read, SendMessageW(b, BM_GETCHECK, 0, 0)) << std::hex << c.style << " " << c.set;
    DestroyWindow(b);
  }
}

TEST_F(Buttons, SetStyleSwitchesTheDefaultLookAndDialogCode) {
  HWND b = button(BS_PUSHBUTTON);
  EXPECT_EQ(DLGC_BUTTON | DLGC_UNDEFPUSHBUTTON, SendMessageW(b, WM_GETDLGCODE, 0, 0));
  SendMessageW(b, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
  EXPECT_EQ(static_cast<DWORD>(BS_DEFPUSHBUTTON), GetWindowLongW(b, GWL_STYLE) & BS_TYPEMASK);
  EXPECT_TRUE(GetWindowLongW(b, GWL_STYLE) & WS_CHILD) << "only the low word changes";
  EXPECT_EQ(DLGC_BUTTON | DLGC_DEFPUSHBUTTON, SendMessageW(b, WM_GETDLGCODE, 0, 0));
  paintNow();
  EXPECT_EQ(RGB(0, 120, 215), pixel(21, 21)) << "the second frame line of a default button";
  SendMessageW(b, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);
  paintNow();
  EXPECT_EQ(RGB(225, 225, 225), pixel(21, 21));
  DestroyWindow(b);
}

HFONT fontOfHeight(int height) {
  LOGFONTW lf{};
  lf.lfHeight = -height;
  lf.lfWeight = FW_NORMAL;
  const char16_t face[] = u"MS Shell Dlg 2";
  std::copy(std::begin(face), std::end(face), lf.lfFaceName);
  return CreateFontIndirectW(&lf);
}

TEST_F(Buttons, IdealSizeFollowsTheFontAndTheCaption) {
  HFONT small = fontOfHeight(11), large = fontOfHeight(22);
  ASSERT_NE(nullptr, small);
  HWND b = button(BS_PUSHBUTTON, u"Shutdown");
  SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(small), FALSE);
  EXPECT_EQ(reinterpret_cast<LRESULT>(small), SendMessageW(b, WM_GETFONT, 0, 0));
  SIZE withSmall{}, withLarge{}, longer{};
  EXPECT_TRUE(SendMessageW(b, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&withSmall)));
  SendMessageW(b, WM_SETFONT, reinterpret_cast<WPARAM>(large), FALSE);
  SendMessageW(b, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&withLarge));
  SetWindowTextW(b, u"Shutdown the computer");
  SendMessageW(b, BCM_GETIDEALSIZE, 0, reinterpret_cast<LPARAM>(&longer));
  EXPECT_GT(withLarge.cx, withSmall.cx);
  EXPECT_GT(withLarge.cy, withSmall.cy);
  EXPECT_GT(longer.cx, withLarge.cx);
  EXPECT_EQ(longer.cy, withLarge.cy);
  EXPECT_FALSE(SendMessageW(b, BCM_GETIDEALSIZE, 0, 0)) << "no size to fill";

  // The ideal size holds the caption as DrawTextW measures it, with room around it.
  HDC dc = CreateCompatibleDC(nullptr);
  SelectObject(dc, large);
  RECT text{0, 0, 0, 0};
  DrawTextW(dc, u"Shutdown the computer", -1, &text, DT_CALCRECT | DT_SINGLELINE);
  DeleteDC(dc);
  EXPECT_GT(longer.cx, text.right);
  EXPECT_GT(longer.cy, text.bottom);
  DestroyWindow(b);
  DeleteObject(small);
  DeleteObject(large);
}

TEST_F(Buttons, TheParentChoosesTheBackgroundThroughCtlColorBtn) {
  HBRUSH red = CreateSolidBrush(RGB(200, 0, 0));
  parent.answer([red](UINT m, WPARAM, LPARAM, LRESULT* r) {
    if (m != WM_CTLCOLORBTN) return false;
    *r = reinterpret_cast<LRESULT>(red);
    return true;
  });
  HWND box = button(BS_AUTOCHECKBOX, u"Option", 20, 20, 150, 30);
  paintNow();
  auto asked = parent.entries(WM_CTLCOLORBTN);
  ASSERT_FALSE(asked.empty());
  EXPECT_EQ(reinterpret_cast<LPARAM>(box), asked.back().lParam);
  EXPECT_EQ(RGB(200, 0, 0), pixel(20 + 160 - 20, 21)) << "beside the caption";
  EXPECT_EQ(RGB(200, 0, 0), pixel(20, 20)) << "above the box";
  parent.answer(nullptr);
  DestroyWindow(box);
  DeleteObject(red);
}

TEST_F(Buttons, PressedDisabledAndFocusedLooksDiffer) {
  struct Case {
    const char* name;
    std::function<void(HWND)> setUp;
    COLORREF face;
    COLORREF focusDot;
  } cases[] = {
      {"normal", [](HWND) {}, RGB(225, 225, 225), RGB(225, 225, 225)},
      {"pressed", [](HWND b) { SendMessageW(b, BM_SETSTATE, TRUE, 0); }, RGB(204, 228, 247), RGB(204, 228, 247)},
      {"disabled", [](HWND b) { EnableWindow(b, FALSE); }, RGB(236, 236, 236), RGB(236, 236, 236)},
      {"focused", [](HWND b) { SetFocus(b); }, RGB(225, 225, 225), RGB(0, 0, 0)},
  };
  for (const Case& c : cases) {
    HWND b = button(BS_PUSHBUTTON, u"OK");
    c.setUp(b);
    paintNow();
    EXPECT_EQ(c.face, pixel(20 + 10, 20 + 15)) << c.name;
    EXPECT_EQ(c.focusDot, pixel(20 + 3, 20 + 3)) << c.name;
    DestroyWindow(b);
  }
}

TEST_F(Buttons, ACheckedBoxShowsItsMark) {
  HWND box = button(BS_AUTOCHECKBOX, u"Option", 20, 20, 150, 13);
  paintNow();
  auto inkInBox = [&] {
    int dark = 0;
    for (int y = 22; y < 31; ++y)
      for (int x = 22; x < 31; ++x)
        if (GetRValue(pixel(x, y)) < 100) ++dark;
    return dark;
  };
  EXPECT_EQ(0, inkInBox());
  SendMessageW(box, BM_SETCHECK, BST_CHECKED, 0);
  paintNow();
  EXPECT_GT(inkInBox(), 6);
  DestroyWindow(box);
}

}  // namespace

#include <framework/Button.h>

namespace {

TEST_F(Buttons, TheFrameworkButtonWrapsTheClass) {
  CWnd* parentWrapper = CWnd::FromHandle(parent.handle);
  CButton box;
  ASSERT_TRUE(box.Create(u"Option", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, RECT{10, 10, 110, 30}, parentWrapper, 7));
  EXPECT_EQ(std::u16string(WC_BUTTONW), classOf(box.GetSafeHwnd()));
  EXPECT_EQ(7, box.GetDlgCtrlID());
  box.SetCheck(BST_CHECKED);
  EXPECT_EQ(BST_CHECKED, box.GetCheck());
  EXPECT_EQ(static_cast<UINT>(BS_AUTOCHECKBOX), box.GetButtonStyle() & BS_TYPEMASK);
  box.SetState(TRUE);
  EXPECT_TRUE(box.GetState() & BST_PUSHED);
  SIZE ideal{};
  EXPECT_TRUE(box.GetIdealSize(&ideal));
  EXPECT_GT(ideal.cx, 13);
  box.DestroyWindow();
}

}  // namespace

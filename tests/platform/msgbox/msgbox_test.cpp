// Message boxes as dialogs on the headless display, answered by injected keys and clicks while a
// window thread waits in MessageBoxW: the answers of each button set, Enter, Escape, Tab and access
// letters, WM_CLOSE, the layout of several lines, centring on the work area and the icons.
#include "platform/support/HeadlessTest.h"

#include <win/controls.h>
#include <win/msgbox.h>

#include <atomic>

using namespace uisupport;

namespace {

// MessageBoxW on a thread of its own; the test answers the box and reads the result.
class BoxThread {
 public:
  BoxThread(const char16_t* text, UINT type, const char16_t* caption = u"Vesper") {
    thread_ = std::thread([=, this] {
      answer_ = MessageBoxW(nullptr, text, caption, type);
      done_ = true;
    });
  }
  ~BoxThread() {
    if (!done_) abandon();
    thread_.join();
  }
  HWND box() {
    HWND found = nullptr;
    EXPECT_TRUE(waitFor([&] {
      auto boxes = visibleWindowsOfClass(u"#32770");
      found = boxes.empty() ? nullptr : boxes.front();
      if (!found || GetForegroundWindow() != found) return false;
      // Ready once a button has the keyboard focus: keys go there from then on.
      for (HWND button : childrenOf(found))
        if (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_FOCUS) return true;
      return false;
    }));
    return found;
  }
  int answer() {
    EXPECT_TRUE(waitFor([this] { return done_.load(); })) << "the box did not close";
    if (!done_) abandon();
    return answer_;
  }
  bool done() const { return done_; }

 private:
  // A test that failed half way presses every button so the thread can end.
  void abandon() {
    for (HWND b : visibleWindowsOfClass(u"#32770"))
      for (HWND button : childrenOf(b)) PostMessageW(b, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED), 0);
    waitFor([this] { return done_.load(); });
  }
  std::thread thread_;
  std::atomic<int> answer_{-1};
  std::atomic<bool> done_{false};
};

class MessageBoxes : public HeadlessTest {};

TEST_F(MessageBoxes, KeysAnswerEachKind) {
  struct Case {
    const char* name;
    UINT type;
    std::vector<unsigned> keys;
    int answer;
  } cases[] = {
      {"information, Enter", MB_OK | MB_ICONINFORMATION, {VK_RETURN}, IDOK},
      {"warning, Escape", MB_OK | MB_ICONWARNING, {VK_ESCAPE}, IDOK},
      {"error, space on OK", MB_OK | MB_ICONERROR, {VK_SPACE}, IDOK},
      {"question, Enter on Yes", MB_YESNO | MB_ICONQUESTION, {VK_RETURN}, IDYES},
      {"question, second default", MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2, {VK_RETURN}, IDNO},
      {"question, Escape does nothing, then N", MB_YESNO | MB_ICONQUESTION, {VK_ESCAPE, 'N'}, IDNO},
      {"yes/no/cancel, Escape", MB_YESNOCANCEL | MB_ICONQUESTION, {VK_ESCAPE}, IDCANCEL},
      {"yes/no/cancel, Tab twice", MB_YESNOCANCEL | MB_ICONQUESTION, {VK_TAB, VK_TAB, VK_RETURN}, IDCANCEL},
      {"yes/no/cancel, right arrow", MB_YESNOCANCEL | MB_ICONQUESTION, {VK_RIGHT, VK_SPACE}, IDNO},
      {"yes/no/cancel, Y", MB_YESNOCANCEL | MB_ICONQUESTION, {'Y'}, IDYES},
      {"OK/Cancel, Tab then Enter", MB_OKCANCEL, {VK_TAB, VK_RETURN}, IDCANCEL},
  };
  for (const auto& c : cases) {
    BoxThread thread(u"Are you sure?", c.type);
    ASSERT_NE(nullptr, thread.box()) << c.name;
    for (unsigned k : c.keys) key(k);
    EXPECT_EQ(c.answer, thread.answer()) << c.name;
  }
}

TEST_F(MessageBoxes, ClicksOnTheButtonsAnswer) {
  struct Case {
    UINT type;
    size_t button;
    int answer;
  } cases[] = {{MB_OK, 0, IDOK},           {MB_YESNO, 0, IDYES},       {MB_YESNO, 1, IDNO},
               {MB_YESNOCANCEL, 2, IDCANCEL}, {MB_YESNOCANCEL, 1, IDNO}, {MB_RETRYCANCEL, 0, IDRETRY}};
  for (const auto& c : cases) {
    BoxThread thread(u"Pick one", c.type | MB_ICONQUESTION);
    HWND box = thread.box();
    ASSERT_NE(nullptr, box);
    std::vector<HWND> buttons = childrenOf(box);
    std::sort(buttons.begin(), buttons.end(), [](HWND a, HWND b) { return centreOf(a).x < centreOf(b).x; });
    ASSERT_GT(buttons.size(), c.button);
    EXPECT_EQ(c.answer, GetDlgCtrlID(buttons[c.button]));
    POINT p = centreOf(buttons[c.button]);
    display->injectMouseMove(p.x, p.y);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    display->injectMouseButton(MouseButton::left, true, p.x, p.y);
    display->injectMouseButton(MouseButton::left, false, p.x, p.y);
    EXPECT_EQ(c.answer, thread.answer()) << c.type << " button " << c.button;
  }
}

TEST_F(MessageBoxes, CloseCountsAsEscapeOnlyWhereEscapeAnswers) {
  BoxThread yesNo(u"Stay?", MB_YESNO);
  HWND box = yesNo.box();
  ASSERT_NE(nullptr, box);
  SendMessageW(box, WM_CLOSE, 0, 0);
  std::this_thread::sleep_for(std::chrono::milliseconds(30));
  EXPECT_FALSE(yesNo.done()) << "a yes/no box has no close answer";
  key('Y');
  EXPECT_EQ(IDYES, yesNo.answer());

  BoxThread ok(u"Note", MB_OK);
  box = ok.box();
  ASSERT_NE(nullptr, box);
  SendMessageW(box, WM_CLOSE, 0, 0);
  EXPECT_EQ(IDOK, ok.answer());
}

TEST_F(MessageBoxes, LinesAreKeptAndTheBoxIsCentredOnTheWorkArea) {
  const char16_t* texts[] = {u"One line", u"Line one\r\nLine two\r\nLine three", u"A\n\nB"};
  std::vector<int> heights;
  for (const char16_t* text : texts) {
    BoxThread thread(text, MB_OK | MB_ICONINFORMATION, u"Caption text");
    HWND box = thread.box();
    ASSERT_NE(nullptr, box);
    char16_t caption[32] = {};
    GetWindowTextW(box, caption, 32);
    EXPECT_EQ(std::u16string(u"Caption text"), caption);
    EXPECT_EQ(std::u16string(u"#32770"), classOf(box));
    RECT r;
    GetWindowRect(box, &r);
    EXPECT_NEAR(1024 / 2, (r.left + r.right) / 2, 1);
    EXPECT_NEAR(728 / 2, (r.top + r.bottom) / 2, 1);
    RECT client;
    GetClientRect(box, &client);
    heights.push_back(client.bottom);
    key(VK_RETURN);
    EXPECT_EQ(IDOK, thread.answer());
  }
  EXPECT_GT(heights[1], heights[0]) << "three lines need more room than one";
  EXPECT_EQ(heights[1], heights[2]) << "an empty line keeps its height";
}

TEST_F(MessageBoxes, EachKindShowsItsIcon) {
  struct Case {
    UINT type;
    COLORREF disc;
  } cases[] = {{MB_ICONINFORMATION, RGB(0, 103, 192)},
               {MB_ICONQUESTION, RGB(0, 103, 192)},
               {MB_ICONERROR, RGB(209, 52, 56)},
               {MB_ICONWARNING, RGB(255, 196, 0)},
               {0, RGB(255, 255, 255)}};
  for (const auto& c : cases) {
    BoxThread thread(u"Something happened", MB_OK | c.type);
    HWND box = thread.box();
    ASSERT_NE(nullptr, box);
    // The icon sits 16 pixels inside the client area; its lower left part is plain disc or triangle.
    POINT client{0, 0};
    ClientToScreen(box, &client);
    RECT frame;
    GetWindowRect(box, &frame);
    int x = client.x - frame.left + 16 + 9, y = client.y - frame.top + 16 + 24;
    EXPECT_TRUE(waitFor([&] { return presentedPixel(display, box, x, y) == c.disc; }, 1000))
        << std::hex << c.type << " got " << presentedPixel(display, box, x, y);
    key(VK_RETURN);
    EXPECT_EQ(IDOK, thread.answer());
  }
}

TEST_F(MessageBoxes, UnknownButtonSetsAnswerZeroWithoutAWindow) {
  EXPECT_EQ(0, MessageBoxW(nullptr, u"text", u"caption", 0x0F));
  EXPECT_TRUE(visibleWindowsOfClass(u"#32770").empty());
}

}  // namespace

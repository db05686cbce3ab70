#include "user32/MessageBoxDialog.h"

#include "user/controls/ControlData.h"
#include "user/controls/FlatDrawing.h"
#include "user/controls/SystemFont.h"
#include "user32/ButtonSets.h"
#include "user32/MessageBoxIcon.h"
#include "user32/MessageBoxLayout.h"

#include <win/controls.h>
#include <win/text.h>

#include <algorithm>
#include <string>
#include <vector>

namespace platform::user32 {

namespace {

using platform::user::controls::SystemFont;

struct BoxState {
  ButtonSet set;
  BoxIcon icon = BoxIcon::none;
  std::vector<std::u16string> paragraphs;
  MessageBoxLayout layout;
  std::vector<HWND> buttons;
  int defaultIndex = 0;
  HWND window = nullptr;
  bool done = false;
  int answer = 0;
};

void finish(BoxState* state, int answer) {
  if (state->done) return;
  state->done = true;
  state->answer = answer;
  // Wakes the box's loop when the answer came with a message sent from another thread.
  if (state->window) PostMessageW(state->window, WM_NULL, 0, 0);
}

void paint(HWND window, BoxState* state, HDC dc) {
  RECT client;
  GetClientRect(window, &client);
  user::controls::fillRect(dc, RECT{0, 0, client.right, state->layout.bandTop}, RGB(255, 255, 255));
  user::controls::fillRect(dc, RECT{0, state->layout.bandTop, client.right, client.bottom}, GetSysColor(COLOR_BTNFACE));
  MessageBoxIcon::paint(dc, state->layout.icon.x, state->layout.icon.y, state->icon);
  HGDIOBJ old = SelectObject(dc, SystemFont::normal());
  int mode = SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  for (size_t i = 0; i < state->paragraphs.size() && i < state->layout.paragraphs.size(); ++i) {
    RECT r = state->layout.paragraphs[i];
    const std::u16string& p = state->paragraphs[i];
    if (!p.empty()) DrawTextW(dc, p.c_str(), static_cast<int>(p.size()), &r, DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
  }
  SetBkMode(dc, mode);
  SelectObject(dc, old);
}

// The box's messages beyond the frame's (creation, destruction, erasing and painting); the state
// belongs to MessageBoxDialog::run, which hands it over as the creation parameter.
LRESULT handle(HWND window, BoxState* state, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CTLCOLORBTN:
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    case WM_COMMAND:
      if (HIWORD(wParam) == BN_CLICKED)
        for (int i = 0; i < state->set.count; ++i)
          if (state->set.answers[i] == LOWORD(wParam)) finish(state, state->set.answers[i]);
      return 0;
    case WM_CLOSE:
      // The close button and Alt+F4 count as Escape; a box without that answer stays open.
      if (state->set.escapeAnswer) finish(state, state->set.escapeAnswer);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

int focusedIndex(const BoxState* state) {
  HWND focus = GetFocus();
  for (size_t i = 0; i < state->buttons.size(); ++i)
    if (state->buttons[i] == focus) return static_cast<int>(i);
  return -1;
}

// Moves the focus, and the default-button look with it, to another button.
void focusButton(BoxState* state, int index) {
  int count = static_cast<int>(state->buttons.size());
  if (count == 0) return;
  index = (index % count + count) % count;
  for (int i = 0; i < count; ++i)
    SendMessageW(state->buttons[static_cast<size_t>(i)], BM_SETSTYLE, i == index ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                 TRUE);
  SetFocus(state->buttons[static_cast<size_t>(index)]);
}

bool mnemonicAnswer(BoxState* state, WPARAM key) {
  for (int i = 0; i < state->set.count; ++i) {
    std::u16string caption = ButtonSets::caption(state->set.answers[i]);
    size_t amp = caption.find(u'&');
    if (amp == std::u16string::npos || amp + 1 >= caption.size()) continue;
    char16_t letter = caption[amp + 1];
    if (letter >= u'a' && letter <= u'z') letter = static_cast<char16_t>(letter - 32);
    if (letter == key) {
      finish(state, state->set.answers[i]);
      return true;
    }
  }
  return false;
}

// The box's own keys; answers whether the message was used.
bool boxKey(BoxState* state, const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return msg.message == WM_KEYUP && msg.wParam != VK_SPACE;
  int focused = focusedIndex(state);
  switch (msg.wParam) {
    case VK_RETURN: {
      int index = focused >= 0 ? focused : state->defaultIndex;
      finish(state, state->set.answers[index]);
      return true;
    }
    case VK_ESCAPE:
      if (state->set.escapeAnswer) finish(state, state->set.escapeAnswer);
      return true;
    case VK_TAB:
      focusButton(state, focused + ((GetKeyState(VK_SHIFT) < 0) ? -1 : 1));
      return true;
    case VK_RIGHT:
    case VK_DOWN:
      focusButton(state, focused + 1);
      return true;
    case VK_LEFT:
    case VK_UP:
      focusButton(state, focused - 1);
      return true;
    default:
      if (msg.wParam >= 'A' && msg.wParam <= 'Z') return mnemonicAnswer(state, msg.wParam);
      return false;
  }
}

bool belongsTo(HWND box, HWND window) { return window && (window == box || IsChild(box, window)); }

RECT workArea() {
  RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
  return work;
}

HWND createBox(BoxState& state, HWND owner, LPCWSTR caption, UINT type) {
  RECT work = workArea();
  std::vector<std::u16string> captions;
  for (int i = 0; i < state.set.count; ++i) captions.emplace_back(ButtonSets::caption(state.set.answers[i]));
  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, SystemFont::normal());
  state.layout = MessageBoxLayout::compute(dc, state.paragraphs, state.icon != BoxIcon::none, captions,
                                           work.right - work.left);
  SelectObject(dc, old);
  DeleteDC(dc);

  DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
  DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  if (type & (MB_TOPMOST | MB_SYSTEMMODAL)) exStyle |= WS_EX_TOPMOST;
  RECT frame{0, 0, state.layout.client.cx, state.layout.client.cy};
  AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  int width = frame.right - frame.left, height = frame.bottom - frame.top;
  int x = work.left + std::max<LONG>(0, (work.right - work.left - width) / 2);
  int y = work.top + std::max<LONG>(0, (work.bottom - work.top - height) / 2);
  HWND box = CreateWindowExW(exStyle, u"#32770", caption ? caption : u"Error", style, x, y, width, height, owner,
                             nullptr, nullptr, &state);
  if (!box) return nullptr;
  state.window = box;
  int defaultIndex = state.defaultIndex = ButtonSets::defaultIndex(type, state.set);
  for (int i = 0; i < state.set.count; ++i) {
    const RECT& r = state.layout.buttons[static_cast<size_t>(i)];
    DWORD buttonStyle = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (i == defaultIndex ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
    HWND button = CreateWindowExW(0, WC_BUTTONW, ButtonSets::caption(state.set.answers[i]), buttonStyle, r.left,
                                  r.top, r.right - r.left, r.bottom - r.top, box,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(state.set.answers[i])), nullptr,
                                  nullptr);
    if (!button) {
      DestroyWindow(box);
      return nullptr;
    }
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(SystemFont::normal()), FALSE);
    state.buttons.push_back(button);
  }
  ShowWindow(box, SW_SHOW);
  SetForegroundWindow(box);
  SetFocus(state.buttons[static_cast<size_t>(defaultIndex)]);
  UpdateWindow(box);
  return box;
}

}  // namespace

WNDCLASSW MessageBoxDialog::windowClass() {
  using namespace user::controls;
  return controlClass(CS_SAVEBITS | CS_GLOBALCLASS, &controlProcedure<BoxState, DataOwner::creator, &paint, &handle>,
                      u"#32770");
}

int MessageBoxDialog::run(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
  BoxState state;
  if (!ButtonSets::forType(type, &state.set)) return 0;
  state.icon = MessageBoxIcon::forType(type);
  state.paragraphs = MessageBoxLayout::splitParagraphs(text ? std::u16string(text) : std::u16string());
  if (owner && !IsWindow(owner)) owner = nullptr;
  bool disabledOwner = owner && IsWindowEnabled(owner) && !EnableWindow(owner, FALSE);
  HWND box = createBox(state, owner, caption, type);
  if (!box) {
    if (disabledOwner) EnableWindow(owner, TRUE);
    return 0;
  }
  MSG msg;
  while (!state.done) {
    if (!GetMessageW(&msg, nullptr, 0, 0)) {
      // A quit request closes the box as Escape would, and stays for the loop that waits for it.
      PostQuitMessage(static_cast<int>(msg.wParam));
      state.answer = state.set.escapeAnswer;
      break;
    }
    if (belongsTo(box, msg.hwnd) && (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) && boxKey(&state, msg))
      continue;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    if (!IsWindow(box)) break;
  }
  if (disabledOwner) EnableWindow(owner, TRUE);
  if (IsWindow(box)) {
    SetWindowLongPtrW(box, 0, 0);
    DestroyWindow(box);
  }
  return state.answer;
}

}  // namespace platform::user32

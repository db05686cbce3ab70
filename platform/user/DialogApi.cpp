// Keyboard navigation between the controls of a window, as dialog boxes have it: Tab and Shift+Tab go
// through the WS_TABSTOP controls (looking inside WS_EX_CONTROLPARENT containers), the arrow keys move
// within a WS_GROUP group, Enter clicks the default button and Escape sends IDCANCEL. Each control is
// asked with WM_GETDLGCODE which of these keys it keeps for itself.
#include <win/user.h>

#include <vector>

namespace {

constexpr WORD clickedCode = 0;  // BN_CLICKED
constexpr int okId = 1;          // IDOK
constexpr int cancelId = 2;      // IDCANCEL
constexpr UINT clickMessage = 0x00F5;   // BM_CLICK
constexpr UINT selectMessage = 0x00B1;  // EM_SETSEL

bool takesPart(HWND window) { return IsWindowVisible(window) && IsWindowEnabled(window); }

bool controlParent(HWND window) { return (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_CONTROLPARENT) != 0; }

struct Item {
  HWND window;
  bool stop;
};

// The controls below a window in tab order (the z-order from the top), containers looked into; the
// tab stops among them are marked.
void collectControls(HWND parent, std::vector<Item>& out) {
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
    if (controlParent(c)) {
      if (takesPart(c)) collectControls(c, out);
      continue;
    }
    out.push_back(Item{c, takesPart(c) && (GetWindowLongW(c, GWL_STYLE) & WS_TABSTOP) != 0});
  }
}

// The item of the list that is the control or holds it; -1 when none does.
int indexOf(const std::vector<HWND>& items, HWND control) {
  for (HWND h = control; h; h = GetAncestor(h, GA_PARENT))
    for (size_t i = 0; i < items.size(); ++i)
      if (items[i] == h) return static_cast<int>(i);
  return -1;
}

int indexOf(const std::vector<Item>& items, HWND control) {
  std::vector<HWND> windows;
  for (const Item& item : items) windows.push_back(item.window);
  return indexOf(windows, control);
}

UINT dialogCode(HWND control, MSG* message) {
  if (!control) return 0;
  return static_cast<UINT>(SendMessageW(control, WM_GETDLGCODE, message ? message->wParam : 0,
                                        reinterpret_cast<LPARAM>(message)));
}

void focusControl(HWND control) {
  SetFocus(control);
  if (dialogCode(control, nullptr) & DLGC_HASSETSEL) SendMessageW(control, selectMessage, 0, -1);
}

// Enter: the focused push button, else the dialog's default id, else IDOK. A disabled button takes
// no click.
void clickDefault(HWND dialog) {
  HWND focus = GetFocus();
  HWND button = nullptr;
  int id;
  if (focus && (dialogCode(focus, nullptr) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
    button = focus;
    id = GetDlgCtrlID(focus);
  } else {
    LRESULT answer = SendMessageW(dialog, DM_GETDEFID, 0, 0);
    id = HIWORD(answer) == DC_HASDEFID ? LOWORD(answer) : okId;
    button = GetDlgItem(dialog, id);
  }
  if (button && !IsWindowEnabled(button)) return;
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, clickedCode), reinterpret_cast<LPARAM>(button));
}

void cancel(HWND dialog) {
  HWND button = GetDlgItem(dialog, cancelId);
  if (button && !IsWindowEnabled(button)) return;
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(cancelId, clickedCode), reinterpret_cast<LPARAM>(button));
}

// Handles a key press the focused control leaves to the dialog; false when it is not a navigation key.
bool navigate(HWND dialog, MSG* message) {
  UINT code = dialogCode(message->hwnd, message);
  if (code & DLGC_WANTMESSAGE) return false;
  HWND current = GetFocus();
  if (!current || (current != dialog && !IsChild(dialog, current))) current = message->hwnd;
  switch (message->wParam) {
    case VK_TAB: {
      if (code & DLGC_WANTTAB) return false;
      bool backwards = GetKeyState(VK_SHIFT) < 0;
      HWND next = GetNextDlgTabItem(dialog, current == dialog ? nullptr : current, backwards);
      if (next && next != current) focusControl(next);
      return true;
    }
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN: {
      if (code & DLGC_WANTARROWS) return false;
      if (current == dialog) return true;
      bool backwards = message->wParam == VK_LEFT || message->wParam == VK_UP;
      HWND next = GetNextDlgGroupItem(dialog, current, backwards);
      if (next && next != current) {
        focusControl(next);
        if (dialogCode(next, nullptr) & DLGC_RADIOBUTTON) SendMessageW(next, clickMessage, 0, 0);
      }
      return true;
    }
    case VK_RETURN:
      clickDefault(dialog);
      return true;
    case VK_ESCAPE:
      cancel(dialog);
      return true;
    default:
      return false;
  }
}

}  // namespace

HWND WINAPI GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog)) return nullptr;
  std::vector<Item> items;
  collectControls(dialog, items);
  int n = static_cast<int>(items.size());
  int at = control ? indexOf(items, control) : -1;
  // From a control that is no tab stop itself the search starts at its place in the order.
  if (at < 0) at = previous ? 0 : n - 1;
  for (int step = 1; step <= n; ++step) {
    const Item& item = items[static_cast<size_t>((at + (previous ? n - step : step)) % n)];
    if (item.stop) return item.window;
  }
  return nullptr;
}

HWND WINAPI GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!IsWindow(dialog) || !control || (control != dialog && !IsChild(dialog, control))) return nullptr;
  HWND parent = GetAncestor(control, GA_PARENT);
  if (!parent || control == dialog) return nullptr;
  // The group runs from the nearest WS_GROUP sibling at or before the control to the next one.
  std::vector<HWND> siblings;
  for (HWND c = GetWindow(parent, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) siblings.push_back(c);
  int at = indexOf(siblings, control);
  if (at < 0) return control;
  int start = at;
  while (start > 0 && !(GetWindowLongW(siblings[static_cast<size_t>(start)], GWL_STYLE) & WS_GROUP)) --start;
  int end = at + 1;
  while (end < static_cast<int>(siblings.size()) &&
         !(GetWindowLongW(siblings[static_cast<size_t>(end)], GWL_STYLE) & WS_GROUP))
    ++end;
  int size = end - start;
  for (int step = 1; step < size; ++step) {
    int i = start + ((at - start) + (previous ? size - step : step)) % size;
    if (takesPart(siblings[static_cast<size_t>(i)])) return siblings[static_cast<size_t>(i)];
  }
  return control;
}

BOOL WINAPI IsDialogMessageW(HWND dialog, LPMSG message) {
  if (!message || !IsWindow(dialog)) return FALSE;
  if (message->hwnd != dialog && !IsChild(dialog, message->hwnd)) return FALSE;
  if (message->message == WM_KEYDOWN && navigate(dialog, message)) return TRUE;
  // Whatever else belongs to the dialog is translated and dispatched here, as the caller must not.
  TranslateMessage(message);
  DispatchMessageW(message);
  return TRUE;
}

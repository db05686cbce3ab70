#include <framework/Wnd.h>

#include <map>
#include <memory>
#include <mutex>

namespace {

// Permanent wrappers of the process, by window. Messages arrive on each window's own thread, while
// wrappers may be attached and detached from others, so the table has a lock.
struct WrapperTable {
  std::mutex mutex;
  std::map<HWND, CWnd*> wrappers;
};

WrapperTable& table() {
  static WrapperTable* t = new WrapperTable();
  return *t;
}

CWnd* permanent(HWND window) {
  auto& t = table();
  std::lock_guard lock(t.mutex);
  auto it = t.wrappers.find(window);
  return it == t.wrappers.end() ? nullptr : it->second;
}

std::map<HWND, std::unique_ptr<CWnd>>& temporaries() {
  static thread_local std::map<HWND, std::unique_ptr<CWnd>> map;
  return map;
}

// The wrapper whose CreateEx is running on this thread, taken up by the creation hook.
CWnd*& creating() {
  static thread_local CWnd* wrapper = nullptr;
  return wrapper;
}

thread_local HHOOK creationHook = nullptr;

LRESULT CALLBACK creationNotice(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && creating()) {
    CWnd* wrapper = creating();
    creating() = nullptr;
    if (!wrapper->SubclassWindow(reinterpret_cast<HWND>(wParam))) return 1;
  }
  return CallNextHookEx(creationHook, code, wParam, lParam);
}

}  // namespace

LRESULT CALLBACK frameworkWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  CWnd* wrapper = permanent(window);
  if (!wrapper) return DefWindowProcW(window, message, wParam, lParam);
  return wrapper->dispatchFromSystem(message, wParam, lParam);
}

CWnd::CWnd() = default;

CWnd::~CWnd() {
  if (!m_hWnd || temporary_) return;
  // A wrapper takes its window with it where it may; elsewhere the window keeps running unwrapped.
  HWND window = m_hWnd;
  if (::IsWindow(window)) ::DestroyWindow(window);
  if (m_hWnd) Detach();
}

CWnd* CWnd::FromHandlePermanent(HWND window) { return window ? permanent(window) : nullptr; }

CWnd* CWnd::FromHandle(HWND window) {
  if (!window) return nullptr;
  if (CWnd* wrapper = permanent(window)) return wrapper;
  auto& temps = temporaries();
  auto it = temps.find(window);
  if (it != temps.end()) return it->second.get();
  auto wrapper = std::make_unique<CWnd>();
  wrapper->m_hWnd = window;
  wrapper->temporary_ = true;
  return temps.emplace(window, std::move(wrapper)).first->second.get();
}

void CWnd::DeleteTempMap() {
  for (auto& [window, wrapper] : temporaries()) wrapper->m_hWnd = nullptr;
  temporaries().clear();
}

BOOL CWnd::Attach(HWND window) {
  if (m_hWnd || !window || !::IsWindow(window)) return FALSE;
  auto& t = table();
  std::lock_guard lock(t.mutex);
  if (!t.wrappers.emplace(window, this).second) return FALSE;
  m_hWnd = window;
  return TRUE;
}

HWND CWnd::Detach() {
  HWND window = m_hWnd;
  if (!window) return nullptr;
  // A wrapper that leaves a live window gives it its old procedure back, so nothing reaches a
  // procedure without a wrapper.
  if (m_pfnSuper && ::GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&frameworkWindowProcedure))
    ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
  m_pfnSuper = nullptr;
  {
    auto& t = table();
    std::lock_guard lock(t.mutex);
    auto it = t.wrappers.find(window);
    if (it != t.wrappers.end() && it->second == this) t.wrappers.erase(it);
  }
  m_hWnd = nullptr;
  return window;
}

BOOL CWnd::SubclassWindow(HWND window) {
  if (!Attach(window)) return FALSE;
  LONG_PTR old = ::SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&frameworkWindowProcedure));
  if (!old) {
    Detach();
    return FALSE;
  }
  m_pfnSuper = reinterpret_cast<WNDPROC>(old);
  PreSubclassWindow();
  return TRUE;
}

HWND CWnd::UnsubclassWindow() { return Detach(); }

BOOL CWnd::CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                    int height, HWND parent, HMENU idOrMenu, LPVOID param) {
  if (m_hWnd) return FALSE;
  // The hook takes the window's messages over before its first one, so WindowProc sees WM_NCCREATE.
  // One hook serves nested creations (a window that makes its children while being created).
  CWnd* outer = creating();
  bool ownHook = creationHook == nullptr;
  if (ownHook) creationHook = ::SetWindowsHookExW(WH_CBT, &creationNotice, nullptr, 0);
  creating() = this;
  HWND window = ::CreateWindowExW(exStyle, className, windowName, style, x, y, width, height, parent, idOrMenu,
                                  nullptr, param);
  creating() = outer;
  if (ownHook) {
    ::UnhookWindowsHookEx(creationHook);
    creationHook = nullptr;
  }
  return window != nullptr;
}

BOOL CWnd::Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                  LPVOID param) {
  return CreateEx(0, className, windowName, style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                  rect.bottom - rect.top, parent ? parent->m_hWnd : nullptr,
                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), param);
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) { return DefWindowProc(message, wParam, lParam); }

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  if (m_pfnSuper) return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
  return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::dispatchFromSystem(UINT message, WPARAM wParam, LPARAM lParam) {
  LRESULT result = WindowProc(message, wParam, lParam);
  if (message == WM_NCDESTROY) finishNcDestroy();
  return result;
}

void CWnd::finishNcDestroy() {
  if (!m_hWnd) return;
  Detach();
  PostNcDestroy();
}

void CWnd::PreSubclassWindow() {}

void CWnd::PostNcDestroy() {}

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::PreTranslateInput(MSG* message) {
  if (!message || !m_hWnd) return FALSE;
  bool key = message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST;
  bool mouse = message->message >= WM_MOUSEFIRST && message->message <= WM_MOUSELAST;
  if (!key && !mouse) return FALSE;
  return ::IsDialogMessageW(m_hWnd, message);
}

DWORD CWnd::GetStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_STYLE)); }

DWORD CWnd::GetExStyle() const { return static_cast<DWORD>(::GetWindowLongW(m_hWnd, GWL_EXSTYLE)); }

namespace {

BOOL changeStyle(HWND window, int index, DWORD remove, DWORD add, UINT swpFlags) {
  if (!::IsWindow(window)) return FALSE;
  DWORD style = static_cast<DWORD>(::GetWindowLongW(window, index));
  DWORD wanted = (style & ~remove) | add;
  if (wanted == style) return FALSE;
  ::SetWindowLongW(window, index, static_cast<LONG>(wanted));
  if (swpFlags)
    ::SetWindowPos(window, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | swpFlags);
  return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(HWND window, DWORD remove, DWORD add, UINT swpFlags) {
  return changeStyle(window, GWL_STYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyleEx(HWND window, DWORD remove, DWORD add, UINT swpFlags) {
  return changeStyle(window, GWL_EXSTYLE, remove, add, swpFlags);
}

BOOL CWnd::ModifyStyle(DWORD remove, DWORD add, UINT swpFlags) { return ModifyStyle(m_hWnd, remove, add, swpFlags); }

BOOL CWnd::ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags) {
  return ModifyStyleEx(m_hWnd, remove, add, swpFlags);
}

LRESULT CWnd::SendMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::SendMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::PostMessage(UINT message, WPARAM wParam, LPARAM lParam) const {
  return ::PostMessageW(m_hWnd, message, wParam, lParam);
}

BOOL CWnd::ShowWindow(int command) const { return ::ShowWindow(m_hWnd, command); }

BOOL CWnd::SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) const {
  return ::SetWindowPos(m_hWnd, insertAfter ? insertAfter->m_hWnd : nullptr, x, y, width, height, flags);
}

void CWnd::MoveWindow(int x, int y, int width, int height, BOOL repaint) const {
  ::MoveWindow(m_hWnd, x, y, width, height, repaint);
}

void CWnd::GetWindowRect(LPRECT rect) const { ::GetWindowRect(m_hWnd, rect); }
void CWnd::GetClientRect(LPRECT rect) const { ::GetClientRect(m_hWnd, rect); }
void CWnd::ClientToScreen(LPPOINT point) const { ::ClientToScreen(m_hWnd, point); }
void CWnd::ScreenToClient(LPPOINT point) const { ::ScreenToClient(m_hWnd, point); }
void CWnd::SetWindowText(LPCWSTR text) const { ::SetWindowTextW(m_hWnd, text); }
int CWnd::GetWindowText(LPWSTR text, int capacity) const { return ::GetWindowTextW(m_hWnd, text, capacity); }
int CWnd::GetWindowTextLength() const { return ::GetWindowTextLengthW(m_hWnd); }
BOOL CWnd::EnableWindow(BOOL enable) const { return ::EnableWindow(m_hWnd, enable); }
BOOL CWnd::IsWindowEnabled() const { return ::IsWindowEnabled(m_hWnd); }
BOOL CWnd::IsWindowVisible() const { return ::IsWindowVisible(m_hWnd); }
BOOL CWnd::IsIconic() const { return ::IsIconic(m_hWnd); }
BOOL CWnd::IsZoomed() const { return ::IsZoomed(m_hWnd); }
CWnd* CWnd::GetParent() const { return FromHandle(::GetParent(m_hWnd)); }
CWnd* CWnd::SetFocus() const { return FromHandle(::SetFocus(m_hWnd)); }
CWnd* CWnd::GetOwner() const { return FromHandle(::GetWindow(m_hWnd, GW_OWNER)); }
void CWnd::Invalidate(BOOL erase) const { ::InvalidateRect(m_hWnd, nullptr, erase); }
void CWnd::InvalidateRect(const RECT* rect, BOOL erase) const { ::InvalidateRect(m_hWnd, rect, erase); }
void CWnd::UpdateWindow() const { ::UpdateWindow(m_hWnd); }
BOOL CWnd::RedrawWindow(const RECT* rect, HRGN region, UINT flags) const {
  return ::RedrawWindow(m_hWnd, rect, region, flags);
}
UINT_PTR CWnd::SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC procedure) const {
  return ::SetTimer(m_hWnd, id, elapseMs, procedure);
}
BOOL CWnd::KillTimer(UINT_PTR id) const { return ::KillTimer(m_hWnd, id); }
HDC CWnd::GetDC() const { return ::GetDC(m_hWnd); }
int CWnd::ReleaseDC(HDC dc) const { return ::ReleaseDC(m_hWnd, dc); }
int CWnd::GetDlgCtrlID() const { return ::GetDlgCtrlID(m_hWnd); }
void CWnd::SetIcon(HICON icon, BOOL big) const {
  ::SendMessageW(m_hWnd, WM_SETICON, big ? ICON_BIG : ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

// The framework's window wrapper: one object stands for one native window. A wrapper made with
// Create/CreateEx or SubclassWindow receives every message of its window through the virtual
// WindowProc, whose default hands the message to DefWindowProc, that is, to the procedure the window
// had before the wrapper took it over. Classes derive from CWnd and override WindowProc to see the
// messages first. Attach only records the pairing (FromHandle then finds the wrapper) without taking
// the messages over. A wrapper is safe to delete while its window lives: the window gets its old
// procedure back.
#pragma once

#include <win/user.h>

class CWnd {
 public:
  CWnd();
  virtual ~CWnd();
  CWnd(const CWnd&) = delete;
  CWnd& operator=(const CWnd&) = delete;

  HWND m_hWnd = nullptr;

  operator HWND() const { return m_hWnd; }
  HWND GetSafeHwnd() const { return m_hWnd; }

  // The wrapper attached to a window. For a window without one, a temporary wrapper of the calling
  // thread is answered; temporaries are freed by DeleteTempMap (the thread's idle time does it).
  static CWnd* FromHandle(HWND window);
  static CWnd* FromHandlePermanent(HWND window);
  static void DeleteTempMap();

  BOOL Attach(HWND window);
  HWND Detach();
  BOOL SubclassWindow(HWND window);
  HWND UnsubclassWindow();

  virtual BOOL CreateEx(DWORD exStyle, LPCWSTR className, LPCWSTR windowName, DWORD style, int x, int y, int width,
                        int height, HWND parent, HMENU idOrMenu, LPVOID param = nullptr);
  virtual BOOL Create(LPCWSTR className, LPCWSTR windowName, DWORD style, const RECT& rect, CWnd* parent, UINT id,
                      LPVOID param = nullptr);
  virtual BOOL DestroyWindow();

  // The message hooks: WindowProc sees every message of a subclassed window; DefWindowProc is the
  // processing the window had before.
  virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the wrapper has taken the window's messages over, before any message reaches it.
  virtual void PreSubclassWindow();
  // Called after the window's last message; the wrapper is no longer attached.
  virtual void PostNcDestroy();
  // Offered each message of the window's thread before it is dispatched; TRUE keeps it from dispatch.
  virtual BOOL PreTranslateMessage(MSG* message);
  // Gives keyboard and mouse messages to the system's dialog navigation of this window.
  BOOL PreTranslateInput(MSG* message);

  // Style changes. With SWP flags the frame is told too (SWP_FRAMECHANGED for a new frame).
  DWORD GetStyle() const;
  DWORD GetExStyle() const;
  BOOL ModifyStyle(DWORD remove, DWORD add, UINT swpFlags = 0);
  BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT swpFlags = 0);
  static BOOL ModifyStyle(HWND window, DWORD remove, DWORD add, UINT swpFlags);
  static BOOL ModifyStyleEx(HWND window, DWORD remove, DWORD add, UINT swpFlags);

  // Thin forms of the window functions, for the window this wrapper stands for.
  LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
  BOOL ShowWindow(int command) const;
  BOOL SetWindowPos(const CWnd* insertAfter, int x, int y, int width, int height, UINT flags) const;
  void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE) const;
  void GetWindowRect(LPRECT rect) const;
  void GetClientRect(LPRECT rect) const;
  void ClientToScreen(LPPOINT point) const;
  void ScreenToClient(LPPOINT point) const;
  void SetWindowText(LPCWSTR text) const;
  int GetWindowText(LPWSTR text, int capacity) const;
  int GetWindowTextLength() const;
  BOOL EnableWindow(BOOL enable = TRUE) const;
  BOOL IsWindowEnabled() const;
  BOOL IsWindowVisible() const;
  BOOL IsIconic() const;
  BOOL IsZoomed() const;
  CWnd* GetParent() const;
  CWnd* SetFocus() const;
  CWnd* GetOwner() const;
  void Invalidate(BOOL erase = TRUE) const;
  void InvalidateRect(const RECT* rect, BOOL erase = TRUE) const;
  void UpdateWindow() const;
  BOOL RedrawWindow(const RECT* rect = nullptr, HRGN region = nullptr, UINT flags = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE) const;
  UINT_PTR SetTimer(UINT_PTR id, UINT elapseMs, TIMERPROC procedure = nullptr) const;
  BOOL KillTimer(UINT_PTR id) const;
  HDC GetDC() const;
  int ReleaseDC(HDC dc) const;
  int GetDlgCtrlID() const;
  void SetIcon(HICON icon, BOOL big) const;

 protected:
  WNDPROC m_pfnSuper = nullptr;  // the window's procedure before the wrapper subclassed it

 private:
  friend LRESULT CALLBACK frameworkWindowProcedure(HWND, UINT, WPARAM, LPARAM);
  LRESULT dispatchFromSystem(UINT message, WPARAM wParam, LPARAM lParam);
  void finishNcDestroy();
  bool temporary_ = false;
};

// The procedure that framework wrappers install on their windows.
LRESULT CALLBACK frameworkWindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

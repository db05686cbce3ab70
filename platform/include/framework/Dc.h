// The framework's device context: a CDC owns the HDC it holds and deletes it when it goes (a context
// made by CreateCompatibleDC or given with Attach); Detach hands the context back without deleting it.
// CPaintDC wraps BeginPaint/EndPaint of a window, CClientDC and CWindowDC its GetDC/GetWindowDC and
// ReleaseDC. The drawing calls are the GDI functions for the held context.
#pragma once

#include <framework/Wnd.h>
#include <win/gdi.h>
#include <win/text.h>

class CDC {
 public:
  CDC();
  virtual ~CDC();
  CDC(const CDC&) = delete;
  CDC& operator=(const CDC&) = delete;

  HDC m_hDC = nullptr;

  operator HDC() const { return m_hDC; }
  HDC GetSafeHdc() const { return m_hDC; }

  // The wrapper made for a context, kept by the calling thread until DeleteTempMap.
  static CDC* FromHandle(HDC dc);
  static void DeleteTempMap();

  BOOL Attach(HDC dc);
  HDC Detach();
  BOOL CreateCompatibleDC(CDC* dc);
  BOOL DeleteDC();

  HGDIOBJ SelectObject(HGDIOBJ object);
  HGDIOBJ SelectStockObject(int index);
  HGDIOBJ GetCurrentObject(UINT type) const;
  int SaveDC();
  BOOL RestoreDC(int saved);
  int GetDeviceCaps(int index) const;

  BOOL BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop);
  BOOL StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                  int sourceHeight, DWORD rop);
  void FillRect(const RECT* rect, HBRUSH brush);
  void FillSolidRect(const RECT* rect, COLORREF color);
  void FillSolidRect(int x, int y, int width, int height, COLORREF color);
  void FrameRect(const RECT* rect, HBRUSH brush);
  BOOL Rectangle(int left, int top, int right, int bottom);
  BOOL Rectangle(const RECT* rect);
  COLORREF SetPixel(int x, int y, COLORREF color);
  COLORREF GetPixel(int x, int y) const;
  POINT MoveTo(int x, int y);
  BOOL LineTo(int x, int y);

  int SetBkMode(int mode);
  COLORREF SetBkColor(COLORREF color);
  COLORREF SetTextColor(COLORREF color);
  int SelectClipRgn(HRGN region);
  int ExcludeClipRect(int left, int top, int right, int bottom);
  int IntersectClipRect(int left, int top, int right, int bottom);
  int GetClipBox(LPRECT box) const;
  POINT SetViewportOrg(int x, int y);

  // Text goes through the text functions of the platform.
  int DrawText(LPCWSTR text, int length, LPRECT rect, UINT format) {
    return ::DrawTextW(m_hDC, text, length, rect, format);
  }
  BOOL TextOut(int x, int y, LPCWSTR text, int length) { return ::TextOutW(m_hDC, x, y, text, length); }

 private:
  bool temporary_ = false;
};

class CPaintDC : public CDC {
 public:
  explicit CPaintDC(CWnd* window);
  ~CPaintDC() override;
  PAINTSTRUCT m_ps{};

 protected:
  HWND m_hWnd;
};

class CClientDC : public CDC {
 public:
  explicit CClientDC(CWnd* window);
  ~CClientDC() override;

 protected:
  HWND m_hWnd;
};

class CWindowDC : public CDC {
 public:
  explicit CWindowDC(CWnd* window);
  ~CWindowDC() override;

 protected:
  HWND m_hWnd;
};

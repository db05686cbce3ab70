#include <framework/Dc.h>

#include <map>
#include <memory>

namespace {

std::map<HDC, std::unique_ptr<CDC>>& temporaries() {
  static thread_local std::map<HDC, std::unique_ptr<CDC>> map;
  return map;
}

}  // namespace

CDC::CDC() = default;

CDC::~CDC() {
  if (m_hDC && !temporary_) ::DeleteDC(Detach());
}

CDC* CDC::FromHandle(HDC dc) {
  if (!dc) return nullptr;
  auto& temps = temporaries();
  auto it = temps.find(dc);
  if (it != temps.end()) return it->second.get();
  auto wrapper = std::make_unique<CDC>();
  wrapper->m_hDC = dc;
  wrapper->temporary_ = true;
  return temps.emplace(dc, std::move(wrapper)).first->second.get();
}

void CDC::DeleteTempMap() {
  for (auto& [dc, wrapper] : temporaries()) wrapper->m_hDC = nullptr;
  temporaries().clear();
}

BOOL CDC::Attach(HDC dc) {
  if (m_hDC || !dc) return FALSE;
  m_hDC = dc;
  return TRUE;
}

HDC CDC::Detach() {
  HDC dc = m_hDC;
  m_hDC = nullptr;
  return dc;
}

BOOL CDC::CreateCompatibleDC(CDC* dc) {
  if (m_hDC) return FALSE;
  return Attach(::CreateCompatibleDC(dc ? dc->m_hDC : nullptr));
}

BOOL CDC::DeleteDC() { return m_hDC ? ::DeleteDC(Detach()) : FALSE; }

HGDIOBJ CDC::SelectObject(HGDIOBJ object) { return ::SelectObject(m_hDC, object); }
HGDIOBJ CDC::SelectStockObject(int index) { return ::SelectObject(m_hDC, ::GetStockObject(index)); }
HGDIOBJ CDC::GetCurrentObject(UINT type) const { return ::GetCurrentObject(m_hDC, type); }
int CDC::SaveDC() { return ::SaveDC(m_hDC); }
BOOL CDC::RestoreDC(int saved) { return ::RestoreDC(m_hDC, saved); }
int CDC::GetDeviceCaps(int index) const { return ::GetDeviceCaps(m_hDC, index); }

BOOL CDC::BitBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, DWORD rop) {
  return ::BitBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, rop);
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, CDC* source, int sourceX, int sourceY, int sourceWidth,
                     int sourceHeight, DWORD rop) {
  return ::StretchBlt(m_hDC, x, y, width, height, source ? source->m_hDC : nullptr, sourceX, sourceY, sourceWidth,
                      sourceHeight, rop);
}

void CDC::FillRect(const RECT* rect, HBRUSH brush) { ::FillRect(m_hDC, rect, brush); }

void CDC::FillSolidRect(const RECT* rect, COLORREF color) {
  if (!rect) return;
  HBRUSH brush = ::CreateSolidBrush(color);
  ::FillRect(m_hDC, rect, brush);
  ::DeleteObject(brush);
}

void CDC::FillSolidRect(int x, int y, int width, int height, COLORREF color) {
  RECT r{x, y, x + width, y + height};
  FillSolidRect(&r, color);
}

void CDC::FrameRect(const RECT* rect, HBRUSH brush) { ::FrameRect(m_hDC, rect, brush); }
BOOL CDC::Rectangle(int left, int top, int right, int bottom) { return ::Rectangle(m_hDC, left, top, right, bottom); }
BOOL CDC::Rectangle(const RECT* rect) {
  return rect && ::Rectangle(m_hDC, rect->left, rect->top, rect->right, rect->bottom);
}
COLORREF CDC::SetPixel(int x, int y, COLORREF color) { return ::SetPixel(m_hDC, x, y, color); }
COLORREF CDC::GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

POINT CDC::MoveTo(int x, int y) {
  POINT previous{0, 0};
  ::MoveToEx(m_hDC, x, y, &previous);
  return previous;
}

BOOL CDC::LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
int CDC::SetBkMode(int mode) { return ::SetBkMode(m_hDC, mode); }
COLORREF CDC::SetBkColor(COLORREF color) { return ::SetBkColor(m_hDC, color); }
COLORREF CDC::SetTextColor(COLORREF color) { return ::SetTextColor(m_hDC, color); }
int CDC::SelectClipRgn(HRGN region) { return ::SelectClipRgn(m_hDC, region); }
int CDC::ExcludeClipRect(int left, int top, int right, int bottom) {
  return ::ExcludeClipRect(m_hDC, left, top, right, bottom);
}
int CDC::IntersectClipRect(int left, int top, int right, int bottom) {
  return ::IntersectClipRect(m_hDC, left, top, right, bottom);
}
int CDC::GetClipBox(LPRECT box) const { return ::GetClipBox(m_hDC, box); }

POINT CDC::SetViewportOrg(int x, int y) {
  POINT previous{0, 0};
  ::SetViewportOrgEx(m_hDC, x, y, &previous);
  return previous;
}

CPaintDC::CPaintDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) {
  Attach(::BeginPaint(m_hWnd, &m_ps));
}

CPaintDC::~CPaintDC() {
  if (m_hDC) {
    Detach();
    ::EndPaint(m_hWnd, &m_ps);
  }
}

CClientDC::CClientDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetDC(m_hWnd)); }

CClientDC::~CClientDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* window) : m_hWnd(window ? window->m_hWnd : nullptr) { Attach(::GetWindowDC(m_hWnd)); }

CWindowDC::~CWindowDC() {
  if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

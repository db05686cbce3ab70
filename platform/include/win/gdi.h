// Drawing: device contexts, bitmaps and DIB sections, brushes, pens, regions and block transfers.
// Colours are 0x00BBGGRR; pixels of 32-bit bitmaps are 0x00RRGGBB in memory order B, G, R, X.
#pragma once

#include <win/types.h>

struct HDC__;
typedef HDC__* HDC;
struct HGDIOBJ__;
typedef HGDIOBJ__* HGDIOBJ;
// Every kind of drawing object shares one handle space, so the kinds convert to HGDIOBJ freely.
typedef HGDIOBJ HBRUSH;
typedef HGDIOBJ HPEN;
typedef HGDIOBJ HBITMAP;
typedef HGDIOBJ HRGN;
typedef HGDIOBJ HFONT;
typedef HGDIOBJ HPALETTE;
typedef DWORD COLORREF;

typedef struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
} RECT, *PRECT, *LPRECT;
typedef const RECT* LPCRECT;

typedef struct tagPOINT {
  LONG x;
  LONG y;
} POINT, *PPOINT, *LPPOINT;

typedef struct tagSIZE {
  LONG cx;
  LONG cy;
} SIZE, *PSIZE, *LPSIZE;

#define RGB(r, g, b) \
  (static_cast<COLORREF>(static_cast<BYTE>(r) | (static_cast<WORD>(static_cast<BYTE>(g)) << 8) | \
                         (static_cast<DWORD>(static_cast<BYTE>(b)) << 16)))
#define GetRValue(c) (static_cast<BYTE>((c) & 0xFF))
#define GetGValue(c) (static_cast<BYTE>(((c) >> 8) & 0xFF))
#define GetBValue(c) (static_cast<BYTE>(((c) >> 16) & 0xFF))
#define CLR_INVALID 0xFFFFFFFFu

typedef struct tagBITMAPINFOHEADER {
  DWORD biSize;
  LONG biWidth;
  LONG biHeight;  // positive: rows bottom-up; negative: rows top-down
  WORD biPlanes;
  WORD biBitCount;
  DWORD biCompression;
  DWORD biSizeImage;
  LONG biXPelsPerMeter;
  LONG biYPelsPerMeter;
  DWORD biClrUsed;
  DWORD biClrImportant;
} BITMAPINFOHEADER, *PBITMAPINFOHEADER, *LPBITMAPINFOHEADER;

typedef struct tagRGBQUAD {
  BYTE rgbBlue;
  BYTE rgbGreen;
  BYTE rgbRed;
  BYTE rgbReserved;
} RGBQUAD;

typedef struct tagBITMAPINFO {
  BITMAPINFOHEADER bmiHeader;
  RGBQUAD bmiColors[1];
} BITMAPINFO, *PBITMAPINFO, *LPBITMAPINFO;

typedef struct tagBITMAP {
  LONG bmType;
  LONG bmWidth;
  LONG bmHeight;
  LONG bmWidthBytes;
  WORD bmPlanes;
  WORD bmBitsPixel;
  LPVOID bmBits;
} BITMAP, *PBITMAP, *LPBITMAP;

typedef struct tagDIBSECTION {
  BITMAP dsBm;
  BITMAPINFOHEADER dsBmih;
  DWORD dsBitfields[3];
  HANDLE dshSection;
  DWORD dsOffset;
} DIBSECTION;

typedef struct tagLOGBRUSH {
  UINT lbStyle;
  COLORREF lbColor;
  ULONG_PTR lbHatch;
} LOGBRUSH;

#define BI_RGB 0
#define DIB_RGB_COLORS 0

// Raster operations of BitBlt and StretchBlt.
#define SRCCOPY 0x00CC0020u
#define BLACKNESS 0x00000042u
#define WHITENESS 0x00FF0062u
#define PATCOPY 0x00F00021u

// Stock objects.
#define WHITE_BRUSH 0
#define LTGRAY_BRUSH 1
#define GRAY_BRUSH 2
#define DKGRAY_BRUSH 3
#define BLACK_BRUSH 4
#define NULL_BRUSH 5
#define HOLLOW_BRUSH NULL_BRUSH
#define WHITE_PEN 6
#define BLACK_PEN 7
#define NULL_PEN 8
#define DC_BRUSH 18
#define DC_PEN 19

// Object kinds answered by GetObjectType and taken by GetCurrentObject.
#define OBJ_PEN 1
#define OBJ_BRUSH 2
#define OBJ_DC 3
#define OBJ_REGION 8
#define OBJ_BITMAP 7
#define OBJ_MEMDC 10
#define OBJ_FONT 6

// Brush and pen styles.
#define BS_SOLID 0
#define BS_NULL 1
#define BS_HOLLOW BS_NULL
#define PS_SOLID 0
#define PS_NULL 5

// Background modes.
#define TRANSPARENT 1
#define OPAQUE 2

// Region kinds and combinations.
#define ERROR 0
#define NULLREGION 1
#define SIMPLEREGION 2
#define COMPLEXREGION 3
#define RGN_AND 1
#define RGN_OR 2
#define RGN_XOR 3
#define RGN_DIFF 4
#define RGN_COPY 5

// Device capabilities.
#define HORZRES 8
#define VERTRES 10
#define BITSPIXEL 12
#define PLANES 14
#define LOGPIXELSX 88
#define LOGPIXELSY 90

HDC WINAPI CreateCompatibleDC(HDC dc);
BOOL WINAPI DeleteDC(HDC dc);
HGDIOBJ WINAPI SelectObject(HDC dc, HGDIOBJ object);
HGDIOBJ WINAPI GetCurrentObject(HDC dc, UINT type);
BOOL WINAPI DeleteObject(HGDIOBJ object);
HGDIOBJ WINAPI GetStockObject(int index);
DWORD WINAPI GetObjectType(HGDIOBJ object);
int WINAPI GetObjectW(HGDIOBJ object, int size, LPVOID out);

HBITMAP WINAPI CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                DWORD offset);
HBITMAP WINAPI CreateCompatibleBitmap(HDC dc, int width, int height);
BOOL WINAPI BitBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                   DWORD rop);
BOOL WINAPI StretchBlt(HDC dest, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                       int sourceWidth, int sourceHeight, DWORD rop);
BOOL WINAPI GdiFlush();

HBRUSH WINAPI CreateSolidBrush(COLORREF color);
HBRUSH WINAPI CreateBrushIndirect(const LOGBRUSH* brush);
HPEN WINAPI CreatePen(int style, int width, COLORREF color);
COLORREF WINAPI SetDCBrushColor(HDC dc, COLORREF color);
COLORREF WINAPI SetDCPenColor(HDC dc, COLORREF color);

int WINAPI FillRect(HDC dc, const RECT* rect, HBRUSH brush);
int WINAPI FrameRect(HDC dc, const RECT* rect, HBRUSH brush);
BOOL WINAPI Rectangle(HDC dc, int left, int top, int right, int bottom);
COLORREF WINAPI SetPixel(HDC dc, int x, int y, COLORREF color);
COLORREF WINAPI GetPixel(HDC dc, int x, int y);
BOOL WINAPI MoveToEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI LineTo(HDC dc, int x, int y);

int WINAPI SetBkMode(HDC dc, int mode);
int WINAPI GetBkMode(HDC dc);
COLORREF WINAPI SetBkColor(HDC dc, COLORREF color);
COLORREF WINAPI GetBkColor(HDC dc);
COLORREF WINAPI SetTextColor(HDC dc, COLORREF color);
COLORREF WINAPI GetTextColor(HDC dc);
int WINAPI SaveDC(HDC dc);
BOOL WINAPI RestoreDC(HDC dc, int saved);
int WINAPI GetDeviceCaps(HDC dc, int index);
BOOL WINAPI SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous);
BOOL WINAPI GetViewportOrgEx(HDC dc, LPPOINT origin);
BOOL WINAPI OffsetViewportOrgEx(HDC dc, int dx, int dy, LPPOINT previous);

HRGN WINAPI CreateRectRgn(int left, int top, int right, int bottom);
HRGN WINAPI CreateRectRgnIndirect(const RECT* rect);
HRGN WINAPI CreateRoundRectRgn(int left, int top, int right, int bottom, int ellipseWidth, int ellipseHeight);
int WINAPI CombineRgn(HRGN dest, HRGN first, HRGN second, int mode);
BOOL WINAPI SetRectRgn(HRGN region, int left, int top, int right, int bottom);
int WINAPI OffsetRgn(HRGN region, int dx, int dy);
int WINAPI GetRgnBox(HRGN region, LPRECT box);
BOOL WINAPI PtInRegion(HRGN region, int x, int y);
BOOL WINAPI EqualRgn(HRGN first, HRGN second);
BOOL WINAPI FillRgn(HDC dc, HRGN region, HBRUSH brush);
int WINAPI SelectClipRgn(HDC dc, HRGN region);
int WINAPI ExcludeClipRect(HDC dc, int left, int top, int right, int bottom);
int WINAPI IntersectClipRect(HDC dc, int left, int top, int right, int bottom);
int WINAPI GetClipBox(HDC dc, LPRECT box);
int WINAPI GetClipRgn(HDC dc, HRGN region);

// Rectangle helpers of user32 that GDI callers use as much as window code does.
BOOL WINAPI SetRect(LPRECT rect, int left, int top, int right, int bottom);
BOOL WINAPI SetRectEmpty(LPRECT rect);
BOOL WINAPI CopyRect(LPRECT dest, const RECT* source);
BOOL WINAPI IsRectEmpty(const RECT* rect);
BOOL WINAPI PtInRect(const RECT* rect, POINT point);
BOOL WINAPI OffsetRect(LPRECT rect, int dx, int dy);
BOOL WINAPI InflateRect(LPRECT rect, int dx, int dy);
BOOL WINAPI IntersectRect(LPRECT dest, const RECT* first, const RECT* second);
BOOL WINAPI UnionRect(LPRECT dest, const RECT* first, const RECT* second);
BOOL WINAPI EqualRect(const RECT* first, const RECT* second);

#include "gdi/GdiObjects.h"

#include "gdi/Bitmap.h"
#include "gdi/DeviceContext.h"

namespace platform::gdi {

namespace {

HGDIOBJ toHandle(uint32_t value) { return reinterpret_cast<HGDIOBJ>(static_cast<uintptr_t>(value)); }
uint32_t toValue(const void* handle) {
  uintptr_t v = reinterpret_cast<uintptr_t>(handle);
  return v > 0xFFFFFFFFu ? 0 : static_cast<uint32_t>(v);
}

}  // namespace

GdiObjects& GdiObjects::instance() {
  // Never destroyed: threads may still release DCs while the process exits.
  static GdiObjects* objects = new GdiObjects();
  return *objects;
}

GdiObjects::GdiObjects() {
  auto brush = [&](int index, COLORREF color, bool hollow, bool dc) {
    auto b = std::make_unique<Brush>();
    b->color = color;
    b->hollow = hollow;
    b->dcBrush = dc;
    b->stock = true;
    stock_[index] = add(std::move(b));
  };
  auto pen = [&](int index, COLORREF color, int style, bool dc) {
    auto p = std::make_unique<Pen>();
    p->color = color;
    p->style = style;
    p->dcPen = dc;
    p->stock = true;
    stock_[index] = add(std::move(p));
  };
  brush(WHITE_BRUSH, RGB(255, 255, 255), false, false);
  brush(LTGRAY_BRUSH, RGB(192, 192, 192), false, false);
  brush(GRAY_BRUSH, RGB(128, 128, 128), false, false);
  brush(DKGRAY_BRUSH, RGB(64, 64, 64), false, false);
  brush(BLACK_BRUSH, RGB(0, 0, 0), false, false);
  brush(NULL_BRUSH, 0, true, false);
  brush(DC_BRUSH, RGB(255, 255, 255), false, true);
  pen(WHITE_PEN, RGB(255, 255, 255), PS_SOLID, false);
  pen(BLACK_PEN, RGB(0, 0, 0), PS_SOLID, false);
  pen(NULL_PEN, 0, PS_NULL, false);
  pen(DC_PEN, 0, PS_SOLID, true);
  auto font = [&](int index, LONG height, LONG weight) {
    auto f = std::make_unique<Font>();
    f->logFont.lfHeight = height;
    f->logFont.lfWeight = weight;
    f->logFont.lfCharSet = DEFAULT_CHARSET;
    f->logFont.lfQuality = DEFAULT_QUALITY;
    f->logFont.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    const char16_t face[] = u"MS Shell Dlg";
    for (size_t i = 0; face[i]; ++i) f->logFont.lfFaceName[i] = face[i];
    f->stock = true;
    stock_[index] = add(std::move(f));
  };
  // The system font that new DCs hold, and the dialog font of 8 points that controls use.
  font(SYSTEM_FONT, 16, FW_BOLD);
  font(DEFAULT_GUI_FONT, -11, FW_NORMAL);
  auto bitmap = std::make_unique<Bitmap>();
  bitmap->surface = Surface::create(1, 1);
  bitmap->stock = true;
  defaultBitmap_ = add(std::move(bitmap));
}

HGDIOBJ GdiObjects::add(std::unique_ptr<GdiObject> object) {
  std::lock_guard lock(mutex_);
  return toHandle(table_.add(std::move(object)));
}

GdiObject* GdiObjects::find(HGDIOBJ handle) const {
  std::lock_guard lock(mutex_);
  return table_.find(toValue(handle));
}

DeviceContext* GdiObjects::dc(HDC handle) const {
  return get<DeviceContext>(reinterpret_cast<HGDIOBJ>(handle), GdiKind::dc);
}

std::unique_ptr<GdiObject> GdiObjects::remove(HGDIOBJ handle) {
  std::lock_guard lock(mutex_);
  return table_.remove(toValue(handle));
}

HGDIOBJ GdiObjects::stock(int index) const {
  if (index < 0 || index >= static_cast<int>(sizeof(stock_) / sizeof(stock_[0]))) return nullptr;
  return stock_[index];
}

HDC GdiObjects::addDc(std::unique_ptr<DeviceContext> dc) {
  dc->state.brush = stock_[WHITE_BRUSH];
  dc->state.pen = stock_[BLACK_PEN];
  dc->state.font = stock_[SYSTEM_FONT];
  return reinterpret_cast<HDC>(add(std::move(dc)));
}

}  // namespace platform::gdi

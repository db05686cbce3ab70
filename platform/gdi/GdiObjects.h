// The process's table of drawing objects and device contexts, with the stock objects.
// One lock guards the table and every object in it; GDI calls hold it for their whole work and never
// call into the window system while they do.
#pragma once

#include "gdi/GdiObject.h"
#include "handles/HandleTable.h"

#include <memory>
#include <mutex>

namespace platform::gdi {

struct DeviceContext;

class GdiObjects {
 public:
  static GdiObjects& instance();

  std::recursive_mutex& mutex() { return mutex_; }
  HGDIOBJ add(std::unique_ptr<GdiObject> object);
  GdiObject* find(HGDIOBJ handle) const;
  template <typename T>
  T* get(HGDIOBJ handle, GdiKind kind) const {
    GdiObject* object = find(handle);
    return object && object->kind == kind ? static_cast<T*>(object) : nullptr;
  }
  DeviceContext* dc(HDC handle) const;
  std::unique_ptr<GdiObject> remove(HGDIOBJ handle);
  HGDIOBJ stock(int index) const;
  // The 1 x 1 bitmap that a new memory DC holds until another is selected.
  HBITMAP defaultBitmap() const { return defaultBitmap_; }
  // A new device context with the stock objects selected.
  HDC addDc(std::unique_ptr<DeviceContext> dc);

 private:
  GdiObjects();

  mutable std::recursive_mutex mutex_;
  handles::HandleTable<GdiObject> table_;
  HGDIOBJ stock_[20] = {};
  HBITMAP defaultBitmap_ = nullptr;
};

}  // namespace platform::gdi

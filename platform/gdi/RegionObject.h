// A region object behind an HRGN.
#pragma once

#include "gdi/GdiObject.h"
#include "gdi/Region.h"

namespace platform::gdi {

struct RegionObject : GdiObject {
  RegionObject() : GdiObject(GdiKind::region) {}
  Region region;
};

}  // namespace platform::gdi

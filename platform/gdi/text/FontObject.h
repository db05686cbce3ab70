// Font objects as the shared object calls see them.
#pragma once

#include "gdi/GdiObject.h"

namespace platform::gdi::text {

// GetObjectW of a font: copies its logical description (as much as `size` holds); the size needed
// when `out` is null.
int fontObject(GdiObject* object, int size, void* out);

}  // namespace platform::gdi::text

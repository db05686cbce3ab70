// A registered window class: the procedure, styles and defaults that windows of the class start with.
#pragma once

#include <win/user.h>

#include <string>

namespace platform::user {

struct WindowClass {
  std::u16string name;
  ATOM atom = 0;
  UINT style = 0;
  WNDPROC procedure = nullptr;
  int classExtraBytes = 0;
  int windowExtraBytes = 0;
  HINSTANCE instance = nullptr;
  HICON icon = nullptr;
  HCURSOR cursor = nullptr;
  HBRUSH background = nullptr;
  int windows = 0;  // windows of the class alive; a class in use cannot be unregistered
};

}  // namespace platform::user

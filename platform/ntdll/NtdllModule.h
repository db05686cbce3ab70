// The built-in module "ntdll.dll": the exports of the native services and the message texts of the
// status codes they answer.
#pragma once

#include "kernel/BuiltinModule.h"

namespace ntdll {

const kernel::BuiltinModule& ntdllModule();

}  // namespace ntdll

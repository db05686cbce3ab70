// Builds the KEY_VALUE_*_INFORMATION structures of one value for NtQueryValueKey and NtEnumerateValueKey.
#pragma once

#include <win/ntdll.h>

#include <memory>

#include "ntdll/InfoImage.h"
#include "ntdll/KeyStore.h"

namespace ntdll {

class ValueInfo {
 public:
  // STATUS_INVALID_INFO_CLASS for classes this registry does not answer.
  static NTSTATUS build(const ValueRecord& value, KEY_VALUE_INFORMATION_CLASS infoClass,
                        std::unique_ptr<InfoImage>& out);
};

}  // namespace ntdll

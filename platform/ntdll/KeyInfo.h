// Builds the KEY_*_INFORMATION structures of a key for NtQueryKey and NtEnumerateKey.
#pragma once

#include <win/ntdll.h>

#include <memory>

#include "ntdll/InfoImage.h"
#include "ntdll/KeyStore.h"

namespace ntdll {

class KeyInfo {
 public:
  // STATUS_INVALID_INFO_CLASS for classes this registry does not answer.
  static NTSTATUS build(KeyStore& store, const KeyRecord& key, KEY_INFORMATION_CLASS infoClass, std::unique_ptr<InfoImage>& out);
};

}  // namespace ntdll

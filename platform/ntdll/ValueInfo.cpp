#include "ntdll/ValueInfo.h"

#include <cstddef>

namespace ntdll {

NTSTATUS ValueInfo::build(const ValueRecord& value, KEY_VALUE_INFORMATION_CLASS infoClass,
                          std::unique_ptr<InfoImage>& out) {
  ULONG nameBytes = static_cast<ULONG>(value.name.size() * 2);
  ULONG dataBytes = static_cast<ULONG>(value.size);
  switch (infoClass) {
    case KeyValueBasicInformation: {
      out = std::make_unique<InfoImage>(offsetof(KEY_VALUE_BASIC_INFORMATION, Name));
      out->put<ULONG>(offsetof(KEY_VALUE_BASIC_INFORMATION, Type), value.type);
      out->put<ULONG>(offsetof(KEY_VALUE_BASIC_INFORMATION, NameLength), nameBytes);
      out->append(value.name.data(), nameBytes);
      return STATUS_SUCCESS;
    }
    case KeyValueFullInformation: {
      out = std::make_unique<InfoImage>(offsetof(KEY_VALUE_FULL_INFORMATION, Name));
      out->put<ULONG>(offsetof(KEY_VALUE_FULL_INFORMATION, Type), value.type);
      out->put<ULONG>(offsetof(KEY_VALUE_FULL_INFORMATION, NameLength), nameBytes);
      out->put<ULONG>(offsetof(KEY_VALUE_FULL_INFORMATION, DataLength), dataBytes);
      out->append(value.name.data(), nameBytes);
      // The data starts on an 8-byte boundary so that numbers in it can be read in place.
      size_t dataOffset = out->append(value.data, value.size, 8);
      out->put<ULONG>(offsetof(KEY_VALUE_FULL_INFORMATION, DataOffset), static_cast<ULONG>(dataOffset));
      return STATUS_SUCCESS;
    }
    case KeyValuePartialInformation: {
      out = std::make_unique<InfoImage>(offsetof(KEY_VALUE_PARTIAL_INFORMATION, Data));
      out->put<ULONG>(offsetof(KEY_VALUE_PARTIAL_INFORMATION, Type), value.type);
      out->put<ULONG>(offsetof(KEY_VALUE_PARTIAL_INFORMATION, DataLength), dataBytes);
      out->append(value.data, value.size);
      return STATUS_SUCCESS;
    }
  }
  return STATUS_INVALID_INFO_CLASS;
}

}  // namespace ntdll

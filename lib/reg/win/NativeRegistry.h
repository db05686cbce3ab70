// The process-wide side of the key objects: the native registry services resolved once from
// "ntdll.dll", the native name of the current user's hive, and the shared value and enumeration
// buffers, each behind its own lock. Made on first use and kept until the process ends.
#pragma once

#include <win/ntdll.h>

#include "base/str/strbuffer/StrBuffer.h"
#include "base/thread/ObjLocker.h"

namespace s::col::_array {
class ArrayU08;
}
namespace s::system::win {
class DllLocater;
}

namespace s::reg::win {

class NativeRegistry {
 public:
  using ArrayU08 = s::col::_array::ArrayU08;
  using ObjLocker = s::thread::ObjLocker;

  // The size the value buffer starts at, and what every growth adds to the needed size.
  static constexpr uint32_t kReadBufferBytes = 16384;
  static constexpr uint32_t kReadBufferSlack = 1026;
  static constexpr uint32_t kEnumerationBufferBytes = 1024;

  // The one instance, initialised by the first call (the first key object's construction).
  static NativeRegistry& instance();

  // Whether the module loaded and every entry point resolved; when not, the entry points answer
  // STATUS_NOT_IMPLEMENTED instead of being null.
  bool isReady() const { return ready; }
  HMODULE getModule() const;
  // "Error" until the user's SID has been read.
  const char16_t* getSidText() const { return sidText.getText(); }
  const s::str::strbuffer::StrBuffer& getCurrentUserNativeName() const { return currentUserNativeName; }

  // Each holds an ArrayU08; enter the locker around every use of its buffer.
  ObjLocker& readBuffer() { return *readLocker; }
  ObjLocker& subKeyBuffer() { return *subKeyLocker; }
  ObjLocker& prefixBuffer() { return *prefixLocker; }
  ObjLocker& valueNameBuffer() { return *valueNameLocker; }

  // The native entry points the key objects call.
  struct EntryPoints {
    decltype(&::NtCreateKey) createKey;
    decltype(&::NtOpenKey) openKey;
    decltype(&::NtFlushKey) flushKey;
    decltype(&::NtDeleteKey) deleteKey;
    decltype(&::NtEnumerateKey) enumerateKey;
    decltype(&::NtClose) closeHandle;
    decltype(&::NtSetValueKey) setValueKey;
    decltype(&::NtQueryValueKey) queryValueKey;
    decltype(&::NtEnumerateValueKey) enumerateValueKey;
    decltype(&::NtDeleteValueKey) deleteValueKey;
    decltype(&::NtRenameKey) renameKey;
    decltype(&::NtOpenProcessToken) openProcessToken;
    decltype(&::NtQueryInformationToken) queryInformationToken;
    decltype(&::RtlAllocateHeap) allocateHeap;
    decltype(&::RtlFreeHeap) freeHeap;
    decltype(&::RtlInitUnicodeString) initUnicodeString;
  };
  const EntryPoints& nt() const { return entryPoints; }

 private:
  NativeRegistry();
  NativeRegistry(const NativeRegistry&) = delete;
  NativeRegistry& operator=(const NativeRegistry&) = delete;

  // Resolves every entry point; false (with the stand-ins kept) when one is missing.
  bool resolveEntryPoints();
  static EntryPoints missingEntryPoints();
  static ObjLocker* bufferLocker(uint32_t bytes);

  EntryPoints entryPoints;
  bool ready = false;
  s::system::win::DllLocater* ntdll = nullptr;
  // Mutable because terminating the text for getSidText writes to the buffer.
  mutable s::str::strbuffer::StrBuffer sidText;
  s::str::strbuffer::StrBuffer currentUserNativeName;
  ObjLocker* readLocker;
  ObjLocker* subKeyLocker;
  ObjLocker* prefixLocker;
  ObjLocker* valueNameLocker;
};

}  // namespace s::reg::win

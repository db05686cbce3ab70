#include "reg/win/NativeRegistry.h"

#include "base/col/_array/ArrayU08.h"
#include "reg/win/SidText.h"
#include "system/win/DllLocater.h"

namespace s::reg::win {

namespace {

// Stand-ins for entry points that did not resolve: every call fails cleanly instead of jumping to null.
NTSTATUS NTAPI missingCreateKey(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES, ULONG, PUNICODE_STRING, ULONG, PULONG) {
  return STATUS_NOT_IMPLEMENTED;
}
NTSTATUS NTAPI missingOpenKey(PHANDLE, ACCESS_MASK, POBJECT_ATTRIBUTES) { return STATUS_NOT_IMPLEMENTED; }
NTSTATUS NTAPI missingHandleCall(HANDLE) { return STATUS_NOT_IMPLEMENTED; }
NTSTATUS NTAPI missingEnumerateKey(HANDLE, ULONG, KEY_INFORMATION_CLASS, PVOID, ULONG, PULONG) {
  return STATUS_NOT_IMPLEMENTED;
}
NTSTATUS NTAPI missingSetValueKey(HANDLE, PUNICODE_STRING, ULONG, ULONG, PVOID, ULONG) {
  return STATUS_NOT_IMPLEMENTED;
}
NTSTATUS NTAPI missingQueryValueKey(HANDLE, PUNICODE_STRING, KEY_VALUE_INFORMATION_CLASS, PVOID, ULONG, PULONG) {
  return STATUS_NOT_IMPLEMENTED;
}
NTSTATUS NTAPI missingEnumerateValueKey(HANDLE, ULONG, KEY_VALUE_INFORMATION_CLASS, PVOID, ULONG, PULONG) {
  return STATUS_NOT_IMPLEMENTED;
}
NTSTATUS NTAPI missingNamedCall(HANDLE, PUNICODE_STRING) { return STATUS_NOT_IMPLEMENTED; }
NTSTATUS NTAPI missingOpenProcessToken(HANDLE, ACCESS_MASK, PHANDLE) { return STATUS_NOT_IMPLEMENTED; }
NTSTATUS NTAPI missingQueryInformationToken(HANDLE, TOKEN_INFORMATION_CLASS, PVOID, ULONG, PULONG) {
  return STATUS_NOT_IMPLEMENTED;
}
PVOID NTAPI missingAllocateHeap(PVOID, ULONG, SIZE_T) { return nullptr; }
BOOLEAN NTAPI missingFreeHeap(PVOID, ULONG, PVOID) { return FALSE; }
void NTAPI missingInitUnicodeString(PUNICODE_STRING destination, PCWSTR) {
  if (!destination) return;
  destination->Length = destination->MaximumLength = 0;
  destination->Buffer = nullptr;
}

// Function pointer types convert through void (*)(), the one conversion that is always allowed.
template <class F>
bool resolve(const s::system::win::DllLocater* module, const char* name, F& target) {
  FARPROC found = module->getProc(name);
  if (!found) return false;
  target = reinterpret_cast<F>(reinterpret_cast<void (*)()>(found));
  return true;
}

}  // namespace

NativeRegistry& NativeRegistry::instance() {
  // Never destroyed: key objects still in use at exit close their handles through it.
  static NativeRegistry* const registry = new NativeRegistry();
  return *registry;
}

NativeRegistry::ObjLocker* NativeRegistry::bufferLocker(uint32_t bytes) {
  ArrayU08* buffer = ArrayU08::acquire();
  if (buffer) buffer->setSize(bytes);
  return new ObjLocker(buffer, [](void* held) { static_cast<ArrayU08*>(held)->destroy(1); });
}

NativeRegistry::EntryPoints NativeRegistry::missingEntryPoints() {
  return EntryPoints{missingCreateKey,          missingOpenKey,           missingHandleCall,
                     missingHandleCall,         missingEnumerateKey,      missingHandleCall,
                     missingSetValueKey,        missingQueryValueKey,     missingEnumerateValueKey,
                     missingNamedCall,          missingNamedCall,         missingOpenProcessToken,
                     missingQueryInformationToken, missingAllocateHeap,   missingFreeHeap,
                     missingInitUnicodeString};
}

NativeRegistry::NativeRegistry()
    : entryPoints(missingEntryPoints()),
      readLocker(bufferLocker(kReadBufferBytes)),
      subKeyLocker(bufferLocker(kEnumerationBufferBytes)),
      prefixLocker(bufferLocker(kEnumerationBufferBytes)),
      valueNameLocker(bufferLocker(kEnumerationBufferBytes)) {
  // The platform is always of the NT family, so the only ways to fail are a missing module or export.
  // Failing here is silent; the key objects then answer STATUS_NOT_IMPLEMENTED.
  sidText.setText(u"Error");
  currentUserNativeName.appendText(u"\\Registry\\User\\Error");
  ntdll = s::system::win::DllLocater::acquireFile(u"ntdll.dll");
  if (!ntdll || !ntdll->isLoaded()) return;
  if (!resolveEntryPoints()) return;
  ready = true;
  SidText::read(*this, &sidText);
  currentUserNativeName.clear();
  currentUserNativeName.appendText(u"\\Registry\\User\\");
  currentUserNativeName.appendText(getSidText());
}

HMODULE NativeRegistry::getModule() const { return ntdll ? ntdll->getModule() : nullptr; }

bool NativeRegistry::resolveEntryPoints() {
  EntryPoints found = entryPoints;
  bool ok = resolve(ntdll, "NtCreateKey", found.createKey) && resolve(ntdll, "NtOpenKey", found.openKey) &&
            resolve(ntdll, "NtFlushKey", found.flushKey) && resolve(ntdll, "NtDeleteKey", found.deleteKey) &&
            resolve(ntdll, "NtEnumerateKey", found.enumerateKey) && resolve(ntdll, "NtClose", found.closeHandle) &&
            resolve(ntdll, "NtSetValueKey", found.setValueKey) &&
            resolve(ntdll, "NtQueryValueKey", found.queryValueKey) &&
            resolve(ntdll, "NtEnumerateValueKey", found.enumerateValueKey) &&
            resolve(ntdll, "NtDeleteValueKey", found.deleteValueKey) &&
            resolve(ntdll, "NtRenameKey", found.renameKey) &&
            resolve(ntdll, "NtOpenProcessToken", found.openProcessToken) &&
            resolve(ntdll, "NtQueryInformationToken", found.queryInformationToken) &&
            resolve(ntdll, "RtlAllocateHeap", found.allocateHeap) && resolve(ntdll, "RtlFreeHeap", found.freeHeap) &&
            resolve(ntdll, "RtlInitUnicodeString", found.initUnicodeString);
  // All or nothing: a partly resolved set would mix real calls with stand-ins.
  if (ok) entryPoints = found;
  return ok;
}

}  // namespace s::reg::win

// The process heap of the native layer, on the C library's allocator.
#include <win/ntdll.h>

#include <cstdlib>
#include <cstring>

namespace {

// The heap handle callers receive; any non-null handle reaches the same allocator.
char processHeapTag;

}  // namespace

HANDLE NTAPI RtlGetProcessHeap() { return &processHeapTag; }

PVOID NTAPI RtlAllocateHeap(PVOID heapHandle, ULONG flags, SIZE_T size) {
  if (!heapHandle) return nullptr;
  // A zero-byte request still answers a distinct block, as the native heap does.
  size_t bytes = size ? size : 1;
  return (flags & HEAP_ZERO_MEMORY) ? std::calloc(1, bytes) : std::malloc(bytes);
}

BOOLEAN NTAPI RtlFreeHeap(PVOID heapHandle, ULONG /*flags*/, PVOID baseAddress) {
  if (!heapHandle) return FALSE;
  std::free(baseAddress);
  return TRUE;
}

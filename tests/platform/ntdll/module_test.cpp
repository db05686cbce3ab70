// The built-in "ntdll.dll" module through LoadLibraryW and GetProcAddress, and the texts of its statuses.
#include <gtest/gtest.h>
#include <win/error.h>
#include <win/format_message.h>
#include <win/module.h>
#include <win/ntdll.h>

#include <string>

namespace {

TEST(ModuleTest, NtdllIsFoundByAnySpellingOfItsName) {
  HMODULE first = LoadLibraryW(u"ntdll.dll");
  ASSERT_NE(first, nullptr);
  for (const char16_t* name : {u"NTDLL.DLL", u"ntdll", u"NtDll.Dll"}) {
    HMODULE again = LoadLibraryW(name);
    EXPECT_EQ(again, first);
    EXPECT_TRUE(FreeLibrary(again));
  }
  EXPECT_EQ(GetModuleHandleW(u"ntdll"), first);
  for (const char16_t* name : {u"kernel32.dll", u"ntdll.dll.dll", u"C:\\Windows\\ntdll.dll", u""}) {
    SetLastError(0);
    EXPECT_EQ(LoadLibraryW(name), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
  }
  EXPECT_TRUE(FreeLibrary(first));
  EXPECT_NE(GetModuleHandleW(u"ntdll.dll"), nullptr) << "the core module stays loaded";
}

TEST(ModuleTest, EveryRegistryEntryPointResolvesToTheService) {
  HMODULE ntdll = LoadLibraryW(u"ntdll.dll");
  ASSERT_NE(ntdll, nullptr);
  for (const char* name : {"NtCreateKey", "NtOpenKey", "NtFlushKey", "NtDeleteKey", "NtEnumerateKey", "NtClose",
                           "NtSetValueKey", "NtQueryValueKey", "NtEnumerateValueKey", "NtDeleteValueKey",
                           "NtRenameKey", "NtOpenProcessToken", "NtQueryInformationToken", "RtlAllocateHeap",
                           "RtlFreeHeap", "RtlInitUnicodeString", "NtQueryKey", "RtlConvertSidToUnicodeString"})
    EXPECT_NE(GetProcAddress(ntdll, name), nullptr) << name;
  using InitFn = void(NTAPI*)(PUNICODE_STRING, PCWSTR);
  auto init = reinterpret_cast<InitFn>(reinterpret_cast<void (*)()>(GetProcAddress(ntdll, "RtlInitUnicodeString")));
  EXPECT_EQ(init, &RtlInitUnicodeString);

  SetLastError(0);
  EXPECT_EQ(GetProcAddress(ntdll, "ntopenkey"), nullptr) << "export names match exactly";
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_PROC_NOT_FOUND));
  EXPECT_EQ(GetProcAddress(ntdll, reinterpret_cast<LPCSTR>(static_cast<uintptr_t>(5))), nullptr);
  EXPECT_EQ(GetProcAddress(reinterpret_cast<HMODULE>(&ntdll), "NtOpenKey"), nullptr);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
  FreeLibrary(ntdll);
}

std::u16string statusText(NTSTATUS status) {
  LPWSTR text = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                GetModuleHandleW(u"NTDLL.DLL"), static_cast<DWORD>(status), LANG_USER_DEFAULT,
                                reinterpret_cast<LPWSTR>(&text), 0, nullptr);
  if (length == 0) return std::u16string();
  std::u16string out(text, length);
  EXPECT_EQ(LocalFree(text), nullptr);
  return out;
}

TEST(ModuleTest, EveryStatusTheRegistryAnswersHasAText) {
  for (NTSTATUS status :
       {STATUS_SUCCESS, STATUS_BUFFER_OVERFLOW, STATUS_NO_MORE_ENTRIES, STATUS_INVALID_INFO_CLASS,
        STATUS_ACCESS_VIOLATION, STATUS_INVALID_HANDLE, STATUS_INVALID_PARAMETER, STATUS_NO_MEMORY,
        STATUS_ACCESS_DENIED, STATUS_BUFFER_TOO_SMALL, STATUS_OBJECT_NAME_INVALID, STATUS_OBJECT_NAME_NOT_FOUND,
        STATUS_OBJECT_NAME_COLLISION, STATUS_OBJECT_PATH_NOT_FOUND, STATUS_OBJECT_PATH_SYNTAX_BAD, STATUS_DISK_FULL,
        STATUS_INSUFFICIENT_RESOURCES, STATUS_IO_TIMEOUT, STATUS_NOT_SUPPORTED, STATUS_INTERNAL_ERROR,
        STATUS_INVALID_SID, STATUS_CANNOT_DELETE, STATUS_REGISTRY_CORRUPT, STATUS_REGISTRY_IO_FAILED,
        STATUS_KEY_DELETED}) {
    std::u16string text = statusText(status);
    ASSERT_GT(text.size(), 2u) << std::hex << status;
    EXPECT_EQ(text.substr(text.size() - 2), u"\r\n") << "texts end with a line end, which callers cut off";
  }
  EXPECT_EQ(statusText(STATUS_OBJECT_NAME_NOT_FOUND), u"Object Name not found.\r\n");
  EXPECT_EQ(statusText(STATUS_KEY_DELETED),
            u"Illegal operation attempted on a registry key which has already been deleted.\r\n");
}

TEST(ModuleTest, FormatMessageFailuresAndBuffers) {
  WCHAR buffer[64];
  SetLastError(0);
  EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, 0xDEAD, 0, buffer, 64, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_MR_MID_NOT_FOUND));
  EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0x0407, buffer, 64, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_RESOURCE_LANG_NOT_FOUND));
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, buffer, 64, nullptr);
  EXPECT_EQ(std::u16string(buffer, length), u"Access is denied.\r\n");
  EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM, nullptr, ERROR_ACCESS_DENIED, 0, buffer, 5, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
  // Without the system flag, a status code is looked up in the module's table alone.
  EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE, GetModuleHandleW(u"ntdll"), ERROR_ACCESS_DENIED, 0, buffer, 64,
                           nullptr),
            0u);
  // The maximum-width flag joins the lines of a text.
  WCHAR wide[128];
  length = FormatMessageW(FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_MAX_WIDTH_MASK, GetModuleHandleW(u"ntdll"),
                          static_cast<DWORD>(STATUS_BUFFER_OVERFLOW), 0, wide, 128, nullptr);
  EXPECT_EQ(std::u16string(wide, length), u"{Buffer Overflow} The data was too large to fit into the specified buffer.");
}

DWORD formatString(const char16_t* format, WCHAR* buffer, DWORD size, ...) {
  va_list arguments;
  va_start(arguments, size);
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING, format, 0, 0, buffer, size, &arguments);
  va_end(arguments);
  return length;
}

TEST(ModuleTest, InsertsAreFilledOrKept) {
  WCHAR buffer[64];
  DWORD length = formatString(u"%2 then %1!u! %%%n", buffer, 64, 42u, u"text");
  EXPECT_EQ(std::u16string(buffer, length), u"text then 42 %\r\n");
  length = FormatMessageW(FORMAT_MESSAGE_FROM_STRING | FORMAT_MESSAGE_IGNORE_INSERTS, u"%1 stays", 0, 0, buffer, 64,
                          nullptr);
  EXPECT_EQ(std::u16string(buffer, length), u"%1 stays");
  SetLastError(0);
  EXPECT_EQ(FormatMessageW(FORMAT_MESSAGE_FROM_STRING, u"needs %1", 0, 0, buffer, 64, nullptr), 0u);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace

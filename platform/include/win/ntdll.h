// The native services of "ntdll.dll" that the platform provides: the registry (keys addressed by their
// native names below "\Registry"), the process token's user, the process heap and counted strings.
// Structures are laid out as their documentation describes them; status codes are the native ones.
#pragma once

#include <win/types.h>

#define NTAPI

typedef unsigned char BOOLEAN;
typedef BOOLEAN* PBOOLEAN;
typedef ULONG ACCESS_MASK;
typedef ACCESS_MASK* PACCESS_MASK;
typedef PVOID PSID;

#define NT_SUCCESS(status) (static_cast<NTSTATUS>(status) >= 0)

// Counted UTF-16 text; Length and MaximumLength are in bytes, Buffer need not be terminated.
typedef struct _UNICODE_STRING {
  USHORT Length;
  USHORT MaximumLength;
  PWSTR Buffer;
} UNICODE_STRING, *PUNICODE_STRING;
typedef const UNICODE_STRING* PCUNICODE_STRING;

// Object attributes: a name, optionally relative to an open key given as RootDirectory.
typedef struct _OBJECT_ATTRIBUTES {
  ULONG Length;
  HANDLE RootDirectory;
  PUNICODE_STRING ObjectName;
  ULONG Attributes;
  PVOID SecurityDescriptor;
  PVOID SecurityQualityOfService;
} OBJECT_ATTRIBUTES, *POBJECT_ATTRIBUTES;

#define OBJ_INHERIT 0x00000002L
#define OBJ_PERMANENT 0x00000010L
#define OBJ_EXCLUSIVE 0x00000020L
#define OBJ_CASE_INSENSITIVE 0x00000040L
#define OBJ_OPENIF 0x00000080L
#define OBJ_OPENLINK 0x00000100L
#define OBJ_KERNEL_HANDLE 0x00000200L

inline void InitializeObjectAttributes(POBJECT_ATTRIBUTES attributes, PUNICODE_STRING name, ULONG flags,
                                       HANDLE root, PVOID securityDescriptor) {
  attributes->Length = sizeof(OBJECT_ATTRIBUTES);
  attributes->RootDirectory = root;
  attributes->ObjectName = name;
  attributes->Attributes = flags;
  attributes->SecurityDescriptor = securityDescriptor;
  attributes->SecurityQualityOfService = nullptr;
}

// ---- Access rights -------------------------------------------------------------------------------

#define DELETE 0x00010000L
#define READ_CONTROL 0x00020000L
#define WRITE_DAC 0x00040000L
#define WRITE_OWNER 0x00080000L
#define SYNCHRONIZE 0x00100000L
#define STANDARD_RIGHTS_REQUIRED 0x000F0000L
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#define STANDARD_RIGHTS_EXECUTE READ_CONTROL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#define MAXIMUM_ALLOWED 0x02000000L
#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define GENERIC_EXECUTE 0x20000000L
#define GENERIC_ALL 0x10000000L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & ~SYNCHRONIZE)
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~SYNCHRONIZE)
#define KEY_EXECUTE (KEY_READ & ~SYNCHRONIZE)
#define KEY_ALL_ACCESS                                                                             \
  ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY | KEY_ENUMERATE_SUB_KEYS | \
    KEY_NOTIFY | KEY_CREATE_LINK) &                                                                \
   ~SYNCHRONIZE)

#define TOKEN_ASSIGN_PRIMARY 0x0001
#define TOKEN_DUPLICATE 0x0002
#define TOKEN_IMPERSONATE 0x0004
#define TOKEN_QUERY 0x0008
#define TOKEN_QUERY_SOURCE 0x0010
#define TOKEN_ADJUST_PRIVILEGES 0x0020
#define TOKEN_ADJUST_GROUPS 0x0040
#define TOKEN_ADJUST_DEFAULT 0x0080
#define TOKEN_ADJUST_SESSIONID 0x0100
#define TOKEN_ALL_ACCESS (STANDARD_RIGHTS_REQUIRED | 0x01FF)

// ---- Registry value types and key options -----------------------------------------------------------

#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_RESOURCE_LIST 8
#define REG_FULL_RESOURCE_DESCRIPTOR 9
#define REG_RESOURCE_REQUIREMENTS_LIST 10
#define REG_QWORD 11
#define REG_QWORD_LITTLE_ENDIAN 11

#define REG_OPTION_RESERVED 0x00000000L
#define REG_OPTION_NON_VOLATILE 0x00000000L
#define REG_OPTION_VOLATILE 0x00000001L
#define REG_OPTION_CREATE_LINK 0x00000002L
#define REG_OPTION_BACKUP_RESTORE 0x00000004L
#define REG_OPTION_OPEN_LINK 0x00000008L

#define REG_CREATED_NEW_KEY 0x00000001L
#define REG_OPENED_EXISTING_KEY 0x00000002L

// ---- Status codes ----------------------------------------------------------------------------------

#define STATUS_SUCCESS static_cast<NTSTATUS>(0x00000000L)
#define STATUS_BUFFER_OVERFLOW static_cast<NTSTATUS>(0x80000005L)
#define STATUS_NO_MORE_ENTRIES static_cast<NTSTATUS>(0x8000001AL)
#define STATUS_UNSUCCESSFUL static_cast<NTSTATUS>(0xC0000001L)
#define STATUS_NOT_IMPLEMENTED static_cast<NTSTATUS>(0xC0000002L)
#define STATUS_INVALID_INFO_CLASS static_cast<NTSTATUS>(0xC0000003L)
#define STATUS_INFO_LENGTH_MISMATCH static_cast<NTSTATUS>(0xC0000004L)
#define STATUS_ACCESS_VIOLATION static_cast<NTSTATUS>(0xC0000005L)
#define STATUS_INVALID_HANDLE static_cast<NTSTATUS>(0xC0000008L)
#define STATUS_INVALID_PARAMETER static_cast<NTSTATUS>(0xC000000DL)
#define STATUS_NO_MEMORY static_cast<NTSTATUS>(0xC0000017L)
#define STATUS_ACCESS_DENIED static_cast<NTSTATUS>(0xC0000022L)
#define STATUS_BUFFER_TOO_SMALL static_cast<NTSTATUS>(0xC0000023L)
#define STATUS_OBJECT_TYPE_MISMATCH static_cast<NTSTATUS>(0xC0000024L)
#define STATUS_OBJECT_NAME_INVALID static_cast<NTSTATUS>(0xC0000033L)
#define STATUS_OBJECT_NAME_NOT_FOUND static_cast<NTSTATUS>(0xC0000034L)
#define STATUS_OBJECT_NAME_COLLISION static_cast<NTSTATUS>(0xC0000035L)
#define STATUS_OBJECT_PATH_INVALID static_cast<NTSTATUS>(0xC0000039L)
#define STATUS_OBJECT_PATH_NOT_FOUND static_cast<NTSTATUS>(0xC000003AL)
#define STATUS_OBJECT_PATH_SYNTAX_BAD static_cast<NTSTATUS>(0xC000003BL)
#define STATUS_DISK_FULL static_cast<NTSTATUS>(0xC000007FL)
#define STATUS_INSUFFICIENT_RESOURCES static_cast<NTSTATUS>(0xC000009AL)
#define STATUS_IO_TIMEOUT static_cast<NTSTATUS>(0xC00000B5L)
#define STATUS_NOT_SUPPORTED static_cast<NTSTATUS>(0xC00000BBL)
#define STATUS_INTERNAL_ERROR static_cast<NTSTATUS>(0xC00000E5L)
#define STATUS_CANNOT_DELETE static_cast<NTSTATUS>(0xC0000121L)
#define STATUS_INVALID_SID static_cast<NTSTATUS>(0xC0000078L)
#define STATUS_REGISTRY_CORRUPT static_cast<NTSTATUS>(0xC000014CL)
#define STATUS_REGISTRY_IO_FAILED static_cast<NTSTATUS>(0xC000014DL)
#define STATUS_KEY_DELETED static_cast<NTSTATUS>(0xC000017CL)
#define STATUS_CHILD_MUST_BE_VOLATILE static_cast<NTSTATUS>(0xC0000181L)

// ---- Key and value information -------------------------------------------------------------------

typedef enum _KEY_INFORMATION_CLASS {
  KeyBasicInformation = 0,
  KeyNodeInformation = 1,
  KeyFullInformation = 2,
  KeyNameInformation = 3,
} KEY_INFORMATION_CLASS;

typedef enum _KEY_VALUE_INFORMATION_CLASS {
  KeyValueBasicInformation = 0,
  KeyValueFullInformation = 1,
  KeyValuePartialInformation = 2,
} KEY_VALUE_INFORMATION_CLASS;

typedef struct _KEY_BASIC_INFORMATION {
  LARGE_INTEGER LastWriteTime;
  ULONG TitleIndex;
  ULONG NameLength;  // bytes
  WCHAR Name[1];
} KEY_BASIC_INFORMATION, *PKEY_BASIC_INFORMATION;

typedef struct _KEY_NODE_INFORMATION {
  LARGE_INTEGER LastWriteTime;
  ULONG TitleIndex;
  ULONG ClassOffset;  // from the start of the structure
  ULONG ClassLength;
  ULONG NameLength;
  WCHAR Name[1];
} KEY_NODE_INFORMATION, *PKEY_NODE_INFORMATION;

typedef struct _KEY_FULL_INFORMATION {
  LARGE_INTEGER LastWriteTime;
  ULONG TitleIndex;
  ULONG ClassOffset;
  ULONG ClassLength;
  ULONG SubKeys;
  ULONG MaxNameLen;
  ULONG MaxClassLen;
  ULONG Values;
  ULONG MaxValueNameLen;
  ULONG MaxValueDataLen;
  WCHAR Class[1];
} KEY_FULL_INFORMATION, *PKEY_FULL_INFORMATION;

typedef struct _KEY_NAME_INFORMATION {
  ULONG NameLength;
  WCHAR Name[1];
} KEY_NAME_INFORMATION, *PKEY_NAME_INFORMATION;

typedef struct _KEY_VALUE_BASIC_INFORMATION {
  ULONG TitleIndex;
  ULONG Type;
  ULONG NameLength;
  WCHAR Name[1];
} KEY_VALUE_BASIC_INFORMATION, *PKEY_VALUE_BASIC_INFORMATION;

typedef struct _KEY_VALUE_FULL_INFORMATION {
  ULONG TitleIndex;
  ULONG Type;
  ULONG DataOffset;  // from the start of the structure, after the name
  ULONG DataLength;
  ULONG NameLength;
  WCHAR Name[1];
} KEY_VALUE_FULL_INFORMATION, *PKEY_VALUE_FULL_INFORMATION;

typedef struct _KEY_VALUE_PARTIAL_INFORMATION {
  ULONG TitleIndex;
  ULONG Type;
  ULONG DataLength;
  UCHAR Data[1];
} KEY_VALUE_PARTIAL_INFORMATION, *PKEY_VALUE_PARTIAL_INFORMATION;

// ---- Security identifiers and the token --------------------------------------------------------------

typedef struct _SID_IDENTIFIER_AUTHORITY {
  BYTE Value[6];
} SID_IDENTIFIER_AUTHORITY, *PSID_IDENTIFIER_AUTHORITY;

#define SID_REVISION 1
#define SID_MAX_SUB_AUTHORITIES 15

typedef struct _SID {
  BYTE Revision;
  BYTE SubAuthorityCount;
  SID_IDENTIFIER_AUTHORITY IdentifierAuthority;
  DWORD SubAuthority[1];
} SID;

typedef struct _SID_AND_ATTRIBUTES {
  PSID Sid;
  DWORD Attributes;
} SID_AND_ATTRIBUTES, *PSID_AND_ATTRIBUTES;

typedef struct _TOKEN_USER {
  SID_AND_ATTRIBUTES User;
} TOKEN_USER, *PTOKEN_USER;

typedef struct _TOKEN_OWNER {
  PSID Owner;
} TOKEN_OWNER, *PTOKEN_OWNER;

typedef enum _TOKEN_INFORMATION_CLASS {
  TokenUser = 1,
  TokenGroups = 2,
  TokenPrivileges = 3,
  TokenOwner = 4,
} TOKEN_INFORMATION_CLASS;

// The pseudo handle of the calling process, as the native services accept it.
#define NtCurrentProcess() (reinterpret_cast<HANDLE>(static_cast<LONG_PTR>(-1)))

// ---- Heap ------------------------------------------------------------------------------------------

#define HEAP_NO_SERIALIZE 0x00000001
#define HEAP_GENERATE_EXCEPTIONS 0x00000004
#define HEAP_ZERO_MEMORY 0x00000008

// The process heap, as RtlAllocateHeap and RtlFreeHeap take it.
HANDLE NTAPI RtlGetProcessHeap();

PVOID NTAPI RtlAllocateHeap(PVOID heapHandle, ULONG flags, SIZE_T size);
BOOLEAN NTAPI RtlFreeHeap(PVOID heapHandle, ULONG flags, PVOID baseAddress);

// ---- Strings and SIDs ------------------------------------------------------------------------------

void NTAPI RtlInitUnicodeString(PUNICODE_STRING destination, PCWSTR source);
// Frees a string that RtlConvertSidToUnicodeString allocated.
void NTAPI RtlFreeUnicodeString(PUNICODE_STRING string);
BOOLEAN NTAPI RtlValidSid(PSID sid);
ULONG NTAPI RtlLengthSid(PSID sid);
// Writes the SID as "S-1-..." into the string, allocating it from the process heap when asked.
NTSTATUS NTAPI RtlConvertSidToUnicodeString(PUNICODE_STRING text, PSID sid, BOOLEAN allocate);

// ---- Registry --------------------------------------------------------------------------------------

NTSTATUS NTAPI NtCreateKey(PHANDLE keyHandle, ACCESS_MASK desiredAccess, POBJECT_ATTRIBUTES attributes,
                           ULONG titleIndex, PUNICODE_STRING keyClass, ULONG createOptions,
                           PULONG disposition);
NTSTATUS NTAPI NtOpenKey(PHANDLE keyHandle, ACCESS_MASK desiredAccess, POBJECT_ATTRIBUTES attributes);
NTSTATUS NTAPI NtFlushKey(HANDLE keyHandle);
NTSTATUS NTAPI NtDeleteKey(HANDLE keyHandle);
NTSTATUS NTAPI NtRenameKey(HANDLE keyHandle, PUNICODE_STRING newName);
NTSTATUS NTAPI NtQueryKey(HANDLE keyHandle, KEY_INFORMATION_CLASS infoClass, PVOID keyInformation,
                          ULONG length, PULONG resultLength);
NTSTATUS NTAPI NtEnumerateKey(HANDLE keyHandle, ULONG index, KEY_INFORMATION_CLASS infoClass,
                              PVOID keyInformation, ULONG length, PULONG resultLength);
NTSTATUS NTAPI NtSetValueKey(HANDLE keyHandle, PUNICODE_STRING valueName, ULONG titleIndex, ULONG type,
                             PVOID data, ULONG dataSize);
NTSTATUS NTAPI NtQueryValueKey(HANDLE keyHandle, PUNICODE_STRING valueName,
                               KEY_VALUE_INFORMATION_CLASS infoClass, PVOID keyValueInformation,
                               ULONG length, PULONG resultLength);
NTSTATUS NTAPI NtEnumerateValueKey(HANDLE keyHandle, ULONG index, KEY_VALUE_INFORMATION_CLASS infoClass,
                                   PVOID keyValueInformation, ULONG length, PULONG resultLength);
NTSTATUS NTAPI NtDeleteValueKey(HANDLE keyHandle, PUNICODE_STRING valueName);

// Closes a key or token handle.
NTSTATUS NTAPI NtClose(HANDLE handle);

// ---- Token -----------------------------------------------------------------------------------------

NTSTATUS NTAPI NtOpenProcessToken(HANDLE processHandle, ACCESS_MASK desiredAccess, PHANDLE tokenHandle);
NTSTATUS NTAPI NtQueryInformationToken(HANDLE tokenHandle, TOKEN_INFORMATION_CLASS infoClass,
                                       PVOID tokenInformation, ULONG length, PULONG returnLength);

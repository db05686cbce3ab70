#include "kernel/token/PrivilegeNames.h"

#include <win/security.h>

namespace platform::kernel::token {

namespace {

const Privilege kPrivileges[] = {
    {2, u"SeCreateTokenPrivilege"},        {3, u"SeAssignPrimaryTokenPrivilege"},
    {4, u"SeLockMemoryPrivilege"},         {5, u"SeIncreaseQuotaPrivilege"},
    {6, u"SeMachineAccountPrivilege"},     {7, u"SeTcbPrivilege"},
    {8, u"SeSecurityPrivilege"},           {9, u"SeTakeOwnershipPrivilege"},
    {10, u"SeLoadDriverPrivilege"},        {11, u"SeSystemProfilePrivilege"},
    {12, u"SeSystemtimePrivilege"},        {13, u"SeProfileSingleProcessPrivilege"},
    {14, u"SeIncreaseBasePriorityPrivilege"}, {15, u"SeCreatePagefilePrivilege"},
    {16, u"SeCreatePermanentPrivilege"},   {17, u"SeBackupPrivilege"},
    {18, u"SeRestorePrivilege"},           {19, u"SeShutdownPrivilege"},
    {20, u"SeDebugPrivilege"},             {21, u"SeAuditPrivilege"},
    {22, u"SeSystemEnvironmentPrivilege"}, {23, u"SeChangeNotifyPrivilege"},
    {24, u"SeRemoteShutdownPrivilege"},    {25, u"SeUndockPrivilege"},
    {26, u"SeSyncAgentPrivilege"},         {27, u"SeEnableDelegationPrivilege"},
    {28, u"SeManageVolumePrivilege"},      {29, u"SeImpersonatePrivilege"},
    {30, u"SeCreateGlobalPrivilege"},      {31, u"SeTrustedCredManAccessPrivilege"},
    {32, u"SeRelabelPrivilege"},           {33, u"SeIncreaseWorkingSetPrivilege"},
    {34, u"SeTimeZonePrivilege"},          {35, u"SeCreateSymbolicLinkPrivilege"},
};

char16_t foldAscii(char16_t c) { return c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 32) : c; }

bool equalIgnoringCase(const char16_t* a, const char16_t* b) {
  for (; *a && *b; ++a, ++b)
    if (foldAscii(*a) != foldAscii(*b)) return false;
  return *a == *b;
}

}  // namespace

uint32_t PrivilegeNames::idOf(const char16_t* name) {
  if (!name) return 0;
  for (const Privilege& p : kPrivileges)
    if (equalIgnoringCase(p.name, name)) return p.id;
  return 0;
}

std::vector<std::pair<uint32_t, DWORD>> PrivilegeNames::held() {
  return {
      {19, 0},                                                       // shut down
      {23, SE_PRIVILEGE_ENABLED | SE_PRIVILEGE_ENABLED_BY_DEFAULT},  // bypass traverse checking
      {25, 0},                                                       // undock
      {33, 0},                                                       // increase working set
      {34, 0},                                                       // change the time zone
  };
}

}  // namespace platform::kernel::token

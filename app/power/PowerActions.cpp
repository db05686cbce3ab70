#include "power/PowerActions.h"

#include <win/power.h>

#include "power/ShutdownPrivilege.h"
#include "start/InformationBox.h"

namespace s::system::vesper {

const char16_t kHibernateFailedText[] =
    u"Not Enough virtual Memory (Paging File)\r\n"
    u"Solution 1: Close some of applications (which is using lots of memory) and try again.\r\n"
    u"Solution 2: Increase minimum virtual memory (Paging File) size and reboot the system once.";

void standBy() {
  enableShutdownPrivilege();
  SetSystemPowerState(TRUE, TRUE);
}

void hibernate() {
  enableShutdownPrivilege();
  if (!SetSystemPowerState(FALSE, TRUE)) showInformationBox(kHibernateFailedText);
}

void logOff() {
  enableShutdownPrivilege();
  ExitWindowsEx(EWX_LOGOFF | EWX_FORCE, 0);
}

void reboot() {
  enableShutdownPrivilege();
  ExitWindowsEx(EWX_REBOOT | EWX_FORCE, 0);
}

void shutDown() {
  enableShutdownPrivilege();
  ExitWindowsEx(EWX_SHUTDOWN | EWX_FORCE | EWX_POWEROFF, 0);
}

}  // namespace s::system::vesper

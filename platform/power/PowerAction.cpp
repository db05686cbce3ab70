#include "power/PowerAction.h"

namespace platform::power {

const char* methodNameOf(PowerAction action) {
  switch (action) {
    case PowerAction::Suspend: return "Suspend";
    case PowerAction::Hibernate: return "Hibernate";
    case PowerAction::Reboot: return "Reboot";
    case PowerAction::PowerOff: return "PowerOff";
    case PowerAction::LogOff: return "TerminateSession";
  }
  return "";
}

}  // namespace platform::power

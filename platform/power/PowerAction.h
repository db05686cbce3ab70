// The five things the power functions can ask of the system, with the logind method that does each.
#pragma once

namespace platform::power {

enum class PowerAction { Suspend, Hibernate, Reboot, PowerOff, LogOff };

// "Suspend", "Hibernate", "Reboot", "PowerOff" or "TerminateSession".
const char* methodNameOf(PowerAction action);

}  // namespace platform::power

// The five things the program exists to do. Each enables the shutdown privilege (once per process)
// and asks the system to act at once, without confirmation; only a failed hibernation is reported to
// the user, because it usually means the machine lacks the room to hibernate.
#pragma once

namespace s::system::vesper {

void standBy();
void hibernate();
void logOff();
void reboot();
void shutDown();

// The text shown when the system refuses to hibernate.
extern const char16_t kHibernateFailedText[];

}  // namespace s::system::vesper

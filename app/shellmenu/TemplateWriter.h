// Writing and withdrawing this program's desktop context-menu template: the application record and
// its two menu trees below the bridge's registry key, changed only while the bridge's lock is held.
#pragma once

namespace s::lang {
class Localizer;
}

namespace s::shell::server01 {

// Writes the whole template. `menuLocalizer` supplies the texts exported with it; null means the
// built-in context-menu pack of this program. Answers true when every registry write succeeded.
bool writeTemplate(s::lang::Localizer* menuLocalizer);

// Marks the template unusable (its trees stay). Answers true when "Usable" was cleared.
bool withdrawTemplate();

}  // namespace s::shell::server01

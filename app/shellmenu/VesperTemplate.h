// This program's own template: the "System..." folder of the desktop background menu with the title
// and the five power actions, each running this executable with its switch.
#pragma once

namespace s::shell::server01 {

class App;

// Fills the record: identity, usable, no module, and the background tree (the separator 194000000
// and the folder 199000000 with its eight items). `executable` is the path the actions run.
bool buildVesperTemplate(App* app, const char16_t* executable);

}  // namespace s::shell::server01

// The program's application class: its instance initialisation is the whole program. It takes the
// application object and the main-window record from their pools, runs switch mode when the program
// was started with arguments and window mode otherwise, gives both back and answers FALSE, so that
// the framework ends the process without a message loop of its own.
#pragma once

#include <framework/WinApp.h>

namespace s::system::vesper {

class CVesperApp : public CWinApp {
 public:
  CVesperApp() = default;

  BOOL InitInstance() override;
};

}  // namespace s::system::vesper

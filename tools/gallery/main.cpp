// vesper-gallery: shows the platform's controls, text, a popup menu and each kind of message box on
// the current display. On the headless display nobody can answer, so the gallery drives itself with
// timers (menu keys, Enter on each box), writes a picture of each step when VESPER_SNAPSHOT_DIR is set,
// and ends by itself.
#include "GalleryWindow.h"
#include "Snapshots.h"

#include "display/DisplaySelection.h"
#include "display/headless/HeadlessDisplay.h"

#include <win/menu.h>
#include <win/windows.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

namespace {

HWND galleryWindow = nullptr;
int pilotStep = 0;
std::string boxName;

void pumpFor(int milliseconds) {
  auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  MSG msg;
  while (std::chrono::steady_clock::now() < end) {
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
  }
}

void pressKey(HWND target, WPARAM key) { PostMessageW(target, WM_KEYDOWN, key, 0); }

// Runs inside the menu's loop: opens the submenu, moves the highlight, takes the picture, closes.
void CALLBACK menuPilot(HWND, UINT, UINT_PTR timer, DWORD) {
  switch (pilotStep++) {
    case 0: pressKey(galleryWindow, 'L'); break;
    case 1: pressKey(galleryWindow, VK_DOWN); break;
    case 2: gallery::Snapshots::take("menu"); break;
    case 3: pressKey(galleryWindow, VK_ESCAPE); break;
    default:
      pressKey(galleryWindow, VK_ESCAPE);
      KillTimer(nullptr, timer);
      break;
  }
}

// Runs inside a message box's loop: takes the picture, then presses Enter on the focused button.
void CALLBACK boxPilot(HWND, UINT, UINT_PTR timer, DWORD) {
  if (pilotStep++ == 0) {
    gallery::Snapshots::take("box-" + boxName);
    return;
  }
  pressKey(GetFocus(), VK_RETURN);
  KillTimer(nullptr, timer);
}

HMENU buildMenu() {
  HMENU menu = CreatePopupMenu(), languages = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, u"&Open\tCtrl+O");
  AppendMenuW(menu, MF_STRING | MF_CHECKED, 2, u"&Keep on Top");
  AppendMenuW(menu, MF_STRING, 3, u"&Easy Drag");
  AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
  AppendMenuW(menu, MF_STRING | MF_GRAYED, 4, u"Grayed item");
  AppendMenuW(languages, MF_STRING, 10, u"English");
  AppendMenuW(languages, MF_STRING, 11, u"Deutsch");
  AppendMenuW(languages, MF_STRING, 12, u"Français");
  AppendMenuW(languages, MF_STRING, 13, u"日本語");
  CheckMenuRadioItem(languages, 10, 13, 10, MF_BYCOMMAND);
  AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(languages), u"&Language");
  AppendMenuW(menu, MF_STRING, 5, u"E&xit");
  return menu;
}

}  // namespace

int main() {
  if (!platform::display::DisplaySelection::available()) {
    std::fprintf(stderr,
                 "vesper-gallery: no display is open; run it with VESPER_DISPLAY=headless (and VESPER_SNAPSHOT_DIR "
                 "for pictures)\n");
    return 1;
  }
  if (auto* headless = platform::display::DisplaySelection::headless()) {
    platform::display::ScreenInfo screen;
    screen.monitors.push_back({{0, 0, 1280, 900}, {0, 0, 1280, 860}, true});
    headless->setScreen(screen);
  }
  galleryWindow = gallery::GalleryWindow::create();
  if (!galleryWindow) {
    std::fprintf(stderr, "vesper-gallery: the window could not be created\n");
    return 1;
  }
  pumpFor(200);
  gallery::Snapshots::take("controls");

  HMENU menu = buildMenu();
  pilotStep = 0;
  SetTimer(nullptr, 0, 120, &menuPilot);
  RECT r;
  GetWindowRect(galleryWindow, &r);
  TrackPopupMenu(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, r.left + 140, r.top + 120, 0, galleryWindow, nullptr);
  DestroyMenu(menu);

  const struct {
    const char* name;
    const char16_t* text;
    UINT type;
  } boxes[] = {
      {"information", u"This Operating System is currently not supported by this Application.", MB_OK | MB_ICONINFORMATION},
      {"warning", u"Window Creation Failed!", MB_OK | MB_ICONWARNING},
      {"error", u"Error( 5 [0x00000005L] ) - Access is denied.", MB_OK | MB_ICONERROR},
      {"question", u"Not Enough virtual Memory (Paging File)\r\nSolution 1: Close some of applications and try "
                   u"again.\r\nSolution 2: Increase minimum virtual memory and reboot the system once.",
       MB_YESNO | MB_ICONQUESTION},
      {"question-cancel", u"Save the settings before closing?", MB_YESNOCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2},
  };
  for (const auto& box : boxes) {
    boxName = box.name;
    pilotStep = 0;
    SetTimer(nullptr, 0, 150, &boxPilot);
    int answer = MessageBoxW(nullptr, box.text, u"Vesper", box.type);
    std::printf("vesper-gallery: the %s box answered %d\n", box.name, answer);
  }
  DestroyWindow(galleryWindow);
  return 0;
}

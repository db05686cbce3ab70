// The first start after a silent installation: the installer leaves the marker "Silent" under the
// product's key, and the program clears it and opens the product's web page once.
#include <win/shellapi.h>
#include <win/user.h>

#include "app/win/AppBase.h"
#include "reg/win/RegDir.h"

namespace s::app::win {

using s::reg::win::RegDir;

void AppBase::openPageAfterSilentInstall() {
  productKeyText(&scratchText, u"");
  RegDir* key = RegDir::acquireKey(RegDir::kCurrentUser, scratchText.getText());
  if (!key) return;
  // Only exactly four bytes that are not all zero count as set, whatever the value's type.
  if (key->getBool(u"Silent", false)) {
    // Cleared first, so that a page that fails to open is not retried at every start.
    key->setBool(u"Silent", false);
    SHELLEXECUTEINFOW info = {};
    info.cbSize = sizeof info;
    info.lpVerb = u"open";
    info.lpFile = text(textBase + 3);
    info.nShow = SW_SHOW;
    ShellExecuteExW(&info);
  }
  key->close();
  key->release();
}

}  // namespace s::app::win

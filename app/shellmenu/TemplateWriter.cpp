#include "shellmenu/TemplateWriter.h"

#include <win/file.h>
#include <win/module.h>
#include <win/resource.h>

#include "base/str/strbuffer/StrBuffer.h"
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "reg/win/RegDir.h"
#include "shellmenu/App.h"
#include "shellmenu/BridgeKey.h"
#include "shellmenu/MenuLock.h"
#include "shellmenu/TemplateWriting.h"
#include "shellmenu/VesperTemplate.h"
#include "xml/Node.h"

namespace s::shell::server01 {

namespace {

using s::lang::Localizer;
using s::str::strbuffer::StrBuffer;

// The context-menu pack whose short texts match the template.
constexpr uint16_t kMenuPackResource = 135;
constexpr uint32_t kInstallValidSeconds = 10;
constexpr uint32_t kUninstallValidSeconds = 600;

// The localizer exported as XML text; the built-in pack when the caller has none with packs. The
// caller releases the text; null when there is nothing to export.
StrBuffer* acquireExportedPacks(Localizer* given) {
  Localizer* source = given;
  Localizer* builtIn = nullptr;
  if (!source || source->packCount() == 0) {
    builtIn = Localizer::acquire();
    if (builtIn) builtIn->loadFromResource(GetModuleHandleW(nullptr), u"IDR_XML", kMenuPackResource);
    source = builtIn;
  }
  StrBuffer* text = nullptr;
  if (source && source->packCount() > 0) {
    s::xml::Node* root = source->toNode();
    if (root) {
      text = root->toText();
      root->release();
    }
  }
  if (builtIn) builtIn->release();
  return text;
}

// Gives the record the menu localizer read back from `packs`, with the chosen pack's English name.
void attachLocalizer(App* app, StrBuffer* packs) {
  if (!packs || packs->length() == 0) return;
  Localizer* localizer = Localizer::acquire();
  if (!localizer) return;
  localizer->loadFromText(packs->getText());
  app->withLocalizer = true;
  app->setMenuLocalizer(localizer);
  s::lang::LangPack* current = localizer->getCurrent();
  app->selectedLang.clear();
  if (current) app->selectedLang.appendText(current->getEngName()->getText());
}

// The running executable's path, at most MAX_PATH units.
void executablePath(WCHAR (&path)[MAX_PATH]) {
  DWORD units = GetModuleFileNameW(nullptr, path, MAX_PATH);
  if (units == 0 || units >= MAX_PATH) path[units == 0 ? 0 : MAX_PATH - 1] = 0;
}

}  // namespace

bool writeTemplate(s::lang::Localizer* menuLocalizer) {
  const uint32_t entry = lockEntryOfThisProcess();
  // Without the lock nothing is written: the registry refuses writes then anyway.
  if (!acquireLock(entry, kInstallValidSeconds)) return false;
  StrBuffer* packs = acquireExportedPacks(menuLocalizer);
  App* app = App::acquire();
  bool ok = app != nullptr;
  if (app) {
    attachLocalizer(app, packs);
    WCHAR executable[MAX_PATH];
    executablePath(executable);
    ok = buildVesperTemplate(app, executable);
    ok = writeApp(app) && ok;
    app->release();
  }
  if (packs) packs->release();
  ok = stampLastUpdate() && ok;
  releaseLock(entry);
  return ok;
}

bool withdrawTemplate() {
  const uint32_t entry = lockEntryOfThisProcess();
  if (!acquireLock(entry, kUninstallValidSeconds)) return false;
  s::reg::win::RegDir* app = s::reg::win::RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, kVesperAppKey);
  bool ok = app && app->setBool(u"Usable", false) == 0;
  if (app) app->release();
  StrBuffer* menus = StrBuffer::acquireJoined(kVesperAppKey, u"\\menus");
  if (menus) {
    s::reg::win::RegDir* key = s::reg::win::RegDir::acquireKey(s::reg::IRegDir::kCurrentUser, menus->getText());
    if (key && key->exists()) key->deleteKey(true);
    if (key) key->release();
    menus->release();
  }
  ok = stampLastUpdate() && ok;
  releaseLock(entry);
  return ok;
}

}  // namespace s::shell::server01

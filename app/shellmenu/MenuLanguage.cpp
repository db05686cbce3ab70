// An item's texts from its menu localizer: the packs number them MenuID x 10 (short text), + 1 (long
// text) and + 2 (folder title).
#include "lang/LangPack.h"
#include "lang/Localizer.h"
#include "shellmenu/Menu.h"

namespace s::shell::server01 {

namespace {

// The current pack's text of that number, or null when the pack has none.
const s::str::strbuffer::StrBuffer* textIfPresent(s::lang::Localizer* localizer, int64_t id) {
  if (id < INT32_MIN || id > INT32_MAX) return nullptr;
  s::lang::LangPack* pack = localizer->getCurrent();
  return pack ? pack->textOf(static_cast<int32_t>(id)) : nullptr;
}

void copyText(s::str::strbuffer::StrBuffer& field, const s::str::strbuffer::StrBuffer* text) {
  field.clear();
  if (text) field.appendChars(text->getChars(), static_cast<int32_t>(text->length()));
}

}  // namespace

int32_t Menu::onEvent(s::base::IObject* source, int32_t) {
  if (!menuLocalizer || source != menuLocalizer) return 0;
  // Computed in 64 bits: MenuID x 10 of a large MenuID has no text rather than a wrapped number.
  const int64_t base = static_cast<int64_t>(menuId) * 10;
  const s::str::strbuffer::StrBuffer* shortText = textIfPresent(menuLocalizer, base);
  copyText(menuString, shortText);
  const s::str::strbuffer::StrBuffer* longText = textIfPresent(menuLocalizer, base + 1);
  copyText(menuExplanation, longText ? longText : shortText);
  const s::str::strbuffer::StrBuffer* folder = textIfPresent(menuLocalizer, base + 2);
  if (folder) copyText(folderTitle, folder);
  return 0;
}

}  // namespace s::shell::server01

// The application object's settings: the registry store, the identification values written at every
// start, the language chosen at start and the skin setting.
#include "app/win/AppBase.h"
#include "file/win/PathWin.h"
#include "lang/Localizer.h"
#include "reg/MappedData.h"
#include "xml/MappedData.h"

namespace s::app::win {

namespace {

constexpr const char16_t* kLanguagePath = u"Language";
constexpr const char16_t* kSkinPath = u"Skin";

}  // namespace

void AppBase::productKeyText(StrBuffer* out, const char16_t* tail) const {
  out->setText(u"Software\\Tarn\\");
  out->appendText(text(kProductKeyText));
  out->appendText(tail);
}

s::map::IMappedData* AppBase::openRegistrySettings() {
  productKeyText(&scratchText, u"\\SaveData");
  return s::reg::MappedData::openRegistry(scratchText.getText());
}

s::map::IMappedData* AppBase::openXmlSettings() {
  if (!exeFolder) return nullptr;
  s::file::IPath* file = exeFolder->acquireChild(u"savedata/SaveData.xml");
  if (!file) return nullptr;
  s::map::IMappedData* store = s::xml::MappedData::openXmlFile(file->getText());
  file->release();
  return store;
}

void AppBase::saveSettings() {
  if (settings) settings->save();
  saved = true;
}

void AppBase::writeIdentification() {
  settings->setString(u"SoftwareType", u"", softwareType);
  settings->setString(u"SoftwareID", u"", text(kProductKeyText));
  settings->setString(u"Version", u"", text(textBase + 10));
}

const char16_t* AppBase::getLanguageSetting() {
  s::lang::LangPack* pack = localizer ? localizer->getCurrent() : nullptr;
  const char16_t* fallback = pack ? pack->getEngName()->getText() : u"";
  if (!settings) return fallback;
  return settings->getString(kLanguagePath, u"", fallback, nullptr, false);
}

void AppBase::setLanguageSetting(const char16_t* name) {
  if (settings) settings->setString(kLanguagePath, u"", name);
}

const char16_t* AppBase::getSkinSetting() {
  // Without a skin manager there is no current skin to fall back on.
  if (!settings) return u"";
  return settings->getString(kSkinPath, u"", u"", nullptr, false);
}

void AppBase::setSkinSetting(const char16_t* name) {
  if (settings) settings->setString(kSkinPath, u"", name);
}

void AppBase::selectLanguageAtStart() {
  if (!localizer) return;
  // The store's text lives only until its next read: keep a copy while the localizer selects.
  workText.setText(getLanguageSetting());
  localizer->selectByName(workText.getText());
  s::lang::LangPack* current = localizer->getCurrent();
  if (!current) return;
  workText.setText(current->getEngName()->getText());
  // A stored name that no pack carries gives way to the pack in use; an absent one stays absent.
  if (!workText.regionMatchesIgnoreCase(0, getLanguageSetting(), 0, -1)) setLanguageSetting(workText.getText());
}

}  // namespace s::app::win

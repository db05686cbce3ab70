#include "reg/win/ErrorMessage.h"

#include <win/crt.h>
#include <win/format_message.h>
#include <win/msgbox.h>

namespace s::reg::win {

void ErrorMessage::compose(HMODULE ntdll, uint32_t code, s::str::strbuffer::StrBuffer* out) {
  char16_t* systemText = nullptr;
  DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_FROM_HMODULE | FORMAT_MESSAGE_ALLOCATE_BUFFER,
                                ntdll, code, LANG_USER_DEFAULT, reinterpret_cast<LPWSTR>(&systemText), 0, nullptr);
  char16_t head[64];
  _snwprintf(head, sizeof head / sizeof head[0], u"Error( %u [0x%8XL] ) - ", code, code);
  out->clear();
  out->appendText(head);
  if (length > 0 && systemText) {
    // The table's texts end with a line break, which the box does not need.
    out->appendChars(systemText, length >= 2 ? static_cast<int32_t>(length - 2) : 0);
  } else {
    out->appendText(u"No NT Error Data was returned??");
  }
  if (systemText) LocalFree(systemText);
}

void ErrorMessage::show(HMODULE ntdll, uint32_t code) {
  s::str::strbuffer::StrBuffer* text = s::str::strbuffer::StrBuffer::acquire();
  if (!text) return;
  compose(ntdll, code, text);
  MessageBoxW(nullptr, text->getText(), kCaption, MB_ICONHAND);
  text->release();
}

}  // namespace s::reg::win

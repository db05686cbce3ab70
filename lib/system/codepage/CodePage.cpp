#include "system/codepage/CodePage.h"

#include "base/thread/EasyPooler.h"

namespace s::system::codepage {

S_POOLED_IMPL(CodePage, s::thread::EasyPooler::kDefaultLimit)

CodePage::CodePage() { reset(); }

CodePage::CodePage(uint32_t value) { number = value; }

void CodePage::reset() { number = kAnsi; }

CodePage* CodePage::acquireNumber(uint32_t value) {
  CodePage* page = acquire();
  if (page) page->number = value;
  return page;
}

const CodePage* CodePage::utf16LittleEndian() {
  static const CodePage instance(kUtf16LittleEndian);
  return &instance;
}

const CodePage* CodePage::utf16BigEndian() {
  static const CodePage instance(kUtf16BigEndian);
  return &instance;
}

int32_t CodePage::compareTo(const IComparable* other, s::base::IComparator* comparator) const {
  if (comparator) return IObject::compareTo(other, comparator);
  const auto* page = dynamic_cast<const CodePage*>(other);
  if (!page) return IObject::compareTo(other, nullptr);
  return number < page->number ? -1 : (number > page->number ? 1 : 0);
}

}  // namespace s::system::codepage

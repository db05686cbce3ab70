// Windows code page numbers and their glibc iconv names. The table is sorted by number for the search.
#include "kernel/codepage/CodePageTable.h"

#include <algorithm>
#include <iterator>

namespace platform::kernel::codepage {

namespace {

constexpr CodePageTable::Entry kEntries[] = {
    {37, "IBM037", true, false},          {437, "IBM437", true, false},
    {500, "IBM500", true, false},         {737, "CP737", true, false},
    {775, "CP775", true, false},          {850, "IBM850", true, false},
    {852, "IBM852", true, false},         {855, "IBM855", true, false},
    {857, "IBM857", true, false},         {858, "IBM858", true, false},
    {860, "IBM860", true, false},         {861, "IBM861", true, false},
    {862, "IBM862", true, false},         {863, "IBM863", true, false},
    {864, "IBM864", true, false},         {865, "IBM865", true, false},
    {866, "IBM866", true, false},         {869, "IBM869", true, false},
    {874, "CP874", true, false},          {875, "IBM875", true, false},
    {932, "CP932", false, false},         {936, "CP936", false, false},
    {949, "CP949", false, false},         {950, "CP950", false, false},
    {1026, "IBM1026", true, false},       {1047, "IBM1047", true, false},
    {1140, "IBM1140", true, false},       {1141, "IBM1141", true, false},
    {1142, "IBM1142", true, false},       {1143, "IBM1143", true, false},
    {1144, "IBM1144", true, false},       {1145, "IBM1145", true, false},
    {1146, "IBM1146", true, false},       {1147, "IBM1147", true, false},
    {1148, "IBM1148", true, false},       {1149, "IBM1149", true, false},
    {1250, "CP1250", true, false},        {1251, "CP1251", true, false},
    {1252, "CP1252", true, false},        {1253, "CP1253", true, false},
    {1254, "CP1254", true, false},        {1255, "CP1255", true, false},
    {1256, "CP1256", true, false},        {1257, "CP1257", true, false},
    {1258, "CP1258", true, false},        {1361, "JOHAB", false, false},
    {10000, "MACINTOSH", true, false},    {10007, "CP10007", true, false},
    {10017, "MACUKRAINIAN", true, false}, {10029, "MAC-CENTRALEUROPE", true, false},
    {10079, "MAC-IS", true, false},       {20127, "ANSI_X3.4-1968", true, false},
    {20866, "KOI8-R", true, false},       {20932, "EUC-JP", false, false},
    {20936, "GB2312", false, false},      {21866, "KOI8-U", true, false},
    {28591, "ISO-8859-1", true, false},   {28592, "ISO-8859-2", true, false},
    {28593, "ISO-8859-3", true, false},   {28594, "ISO-8859-4", true, false},
    {28595, "ISO-8859-5", true, false},   {28596, "ISO-8859-6", true, false},
    {28597, "ISO-8859-7", true, false},   {28598, "ISO-8859-8", true, false},
    {28599, "ISO-8859-9", true, false},   {28603, "ISO-8859-13", true, false},
    {28605, "ISO-8859-15", true, false},  {50220, "ISO-2022-JP", false, true},
    {50225, "ISO-2022-KR", false, true},  {51932, "EUC-JP", false, false},
    {51936, "GB2312", false, false},      {51949, "EUC-KR", false, false},
    {54936, "GB18030", false, false},     {65000, "UTF-7", false, true},
};

}  // namespace

const CodePageTable::Entry* CodePageTable::find(UINT number) {
  const Entry* end = std::end(kEntries);
  const Entry* found = std::lower_bound(std::begin(kEntries), end, number,
                                        [](const Entry& entry, UINT key) { return entry.number < key; });
  return found != end && found->number == number ? found : nullptr;
}

}  // namespace platform::kernel::codepage

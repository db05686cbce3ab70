#include "lang/PrimaryLanguageNames.h"

#include <iterator>

namespace s::lang {

namespace {

struct PrimaryLanguage {
  uint8_t id;
  const char* name;
};

// Sorted by identifier. 0x1A stands for Croatian, Serbian and Bosnian alike; the exact identifiers
// that tell them apart are handled before this table is consulted.
constexpr PrimaryLanguage kPrimaryLanguages[] = {
    {0x01, "ARABIC"},        {0x02, "BULGARIAN"},     {0x03, "CATALAN"},       {0x04, "CHINESE"},
    {0x05, "CZECH"},         {0x06, "DANISH"},        {0x07, "GERMAN"},        {0x08, "GREEK"},
    {0x09, "ENGLISH"},       {0x0A, "SPANISH"},       {0x0B, "FINNISH"},       {0x0C, "FRENCH"},
    {0x0D, "HEBREW"},        {0x0E, "HUNGARIAN"},     {0x0F, "ICELANDIC"},     {0x10, "ITALIAN"},
    {0x11, "JAPANESE"},      {0x12, "KOREAN"},        {0x13, "DUTCH"},         {0x14, "NORWEGIAN"},
    {0x15, "POLISH"},        {0x16, "PORTUGUESE"},    {0x17, "ROMANSH"},       {0x18, "ROMANIAN"},
    {0x19, "RUSSIAN"},       {0x1A, "CROATIAN"},      {0x1B, "SLOVAK"},        {0x1C, "ALBANIAN"},
    {0x1D, "SWEDISH"},       {0x1E, "THAI"},          {0x1F, "TURKISH"},       {0x20, "URDU"},
    {0x21, "INDONESIAN"},    {0x22, "UKRAINIAN"},     {0x23, "BELARUSIAN"},    {0x24, "SLOVENIAN"},
    {0x25, "ESTONIAN"},      {0x26, "LATVIAN"},       {0x27, "LITHUANIAN"},    {0x28, "TAJIK"},
    {0x29, "PERSIAN"},       {0x2A, "VIETNAMESE"},    {0x2B, "ARMENIAN"},      {0x2C, "AZERI"},
    {0x2D, "BASQUE"},        {0x2F, "MACEDONIAN"},    {0x32, "TSWANA"},        {0x34, "XHOSA"},
    {0x35, "ZULU"},          {0x36, "AFRIKAANS"},     {0x37, "GEORGIAN"},      {0x38, "FAEROESE"},
    {0x39, "HINDI"},         {0x3A, "MALTESE"},       {0x3B, "SAMI"},          {0x3C, "IRISH"},
    {0x3E, "MALAY"},         {0x3F, "KAZAK"},         {0x40, "KYRGYZ"},        {0x41, "SWAHILI"},
    {0x42, "TURKMEN"},       {0x43, "UZBEK"},         {0x44, "TATAR"},         {0x45, "BENGALI"},
    {0x46, "PUNJABI"},       {0x47, "GUJARATI"},      {0x48, "ORIYA"},         {0x49, "TAMIL"},
    {0x4A, "TELUGU"},        {0x4B, "KANNADA"},       {0x4C, "MALAYALAM"},     {0x4D, "ASSAMESE"},
    {0x4E, "MARATHI"},       {0x4F, "SANSKRIT"},      {0x50, "MONGOLIAN"},     {0x51, "TIBETAN"},
    {0x52, "WELSH"},         {0x53, "KHMER"},         {0x54, "LAO"},           {0x56, "GALICIAN"},
    {0x57, "KONKANI"},       {0x59, "SINDHI"},        {0x5A, "SYRIAC"},        {0x5B, "SINHALESE"},
    {0x5D, "INUKTITUT"},     {0x5E, "AMHARIC"},       {0x5F, "TAMAZIGHT"},     {0x60, "KASHMIRI"},
    {0x61, "NEPALI"},        {0x62, "FRISIAN"},       {0x63, "PASHTO"},        {0x64, "FILIPINO"},
    {0x65, "DIVEHI"},        {0x68, "HAUSA"},         {0x6A, "YORUBA"},        {0x6B, "QUECHUA"},
    {0x6C, "SOTHO"},         {0x6D, "BASHKIR"},       {0x6E, "LUXEMBOURGISH"}, {0x6F, "GREENLANDIC"},
    {0x70, "IGBO"},          {0x73, "TIGRIGNA"},      {0x78, "YI"},            {0x7A, "MAPUDUNGUN"},
    {0x7C, "MOHAWK"},        {0x7E, "BRETON"},        {0x80, "UIGHUR"},        {0x81, "MAORI"},
    {0x82, "OCCITAN"},       {0x83, "CORSICAN"},      {0x84, "ALSATIAN"},      {0x85, "YAKUT"},
    {0x86, "KICHE"},         {0x87, "KINYARWANDA"},   {0x88, "WOLOF"},         {0x8C, "DARI"},
};

}  // namespace

const char* PrimaryLanguageNames::nameOf(uint32_t primaryLanguage) {
  // Binary search: the table is sorted by identifier.
  uint32_t low = 0;
  uint32_t high = static_cast<uint32_t>(std::size(kPrimaryLanguages));
  while (low < high) {
    uint32_t middle = (low + high) / 2;
    uint32_t id = kPrimaryLanguages[middle].id;
    if (id == primaryLanguage) return kPrimaryLanguages[middle].name;
    if (id < primaryLanguage)
      low = middle + 1;
    else
      high = middle;
  }
  return nullptr;
}

uint32_t PrimaryLanguageNames::count() { return static_cast<uint32_t>(std::size(kPrimaryLanguages)); }

}  // namespace s::lang

// Locale names and their Windows language identifiers. A bare language stands for the country where it
// is mainly spoken (zh is Simplified Chinese of China, pt Brazilian Portuguese, sr Cyrillic Serbian).
// Serbian in Serbia and Montenegro keeps the identifiers of the former joint state (0x081A Latin, 0x0C1A
// Cyrillic), which are the ones language-aware programs know Serbian by. Languages without an identifier
// of their own take their closest neighbour's (Venetian and Friulian Italian, Cantonese Hong Kong
// Chinese, Asturian Spanish), so that a user gets a familiar language rather than English.
#include "kernel/locale/LanguageIdTable.h"

namespace platform::kernel::locale {

namespace {

struct Entry {
  std::string_view key;
  LANGID id;
};

constexpr Entry kEntries[] = {
    // Arabic
    {"ar", 0x0401}, {"ar_SA", 0x0401}, {"ar_IQ", 0x0801}, {"ar_EG", 0x0C01}, {"ar_LY", 0x1001},
    {"ar_DZ", 0x1401}, {"ar_MA", 0x1801}, {"ar_TN", 0x1C01}, {"ar_OM", 0x2001}, {"ar_YE", 0x2401},
    {"ar_SY", 0x2801}, {"ar_JO", 0x2C01}, {"ar_LB", 0x3001}, {"ar_KW", 0x3401}, {"ar_AE", 0x3801},
    {"ar_BH", 0x3C01}, {"ar_QA", 0x4001},
    {"bg", 0x0402},
    // Catalan; Valencian is its own identifier
    {"ca", 0x0403}, {"ca@valencia", 0x0803},
    // Chinese: Traditional in Taiwan, Hong Kong and Macao, Simplified in China and Singapore
    {"zh", 0x0804}, {"zh_CN", 0x0804}, {"zh_SG", 0x1004}, {"zh_TW", 0x0404}, {"zh_HK", 0x0C04},
    {"zh_MO", 0x1404},
    {"cmn", 0x0804}, {"cmn_TW", 0x0404}, {"hak", 0x0404}, {"nan", 0x0404}, {"lzh", 0x0404},
    {"yue", 0x0C04},
    {"cs", 0x0405},
    {"da", 0x0406},
    // German
    {"de", 0x0407}, {"de_DE", 0x0407}, {"de_CH", 0x0807}, {"de_AT", 0x0C07}, {"de_LU", 0x1007},
    {"de_LI", 0x1407}, {"nds", 0x0407}, {"gsw", 0x0484},
    {"el", 0x0408},
    // English
    {"en", 0x0409}, {"en_US", 0x0409}, {"en_GB", 0x0809}, {"en_AU", 0x0C09}, {"en_CA", 0x1009},
    {"en_NZ", 0x1409}, {"en_IE", 0x1809}, {"en_ZA", 0x1C09}, {"en_JM", 0x2009}, {"en_BZ", 0x2809},
    {"en_TT", 0x2C09}, {"en_ZW", 0x3009}, {"en_PH", 0x3409}, {"en_IN", 0x4009}, {"en_MY", 0x4409},
    {"en_SG", 0x4809},
    // Spanish (Spain with the modern sort)
    {"es", 0x0C0A}, {"es_ES", 0x0C0A}, {"es_MX", 0x080A}, {"es_GT", 0x100A}, {"es_CR", 0x140A},
    {"es_PA", 0x180A}, {"es_DO", 0x1C0A}, {"es_VE", 0x200A}, {"es_CO", 0x240A}, {"es_PE", 0x280A},
    {"es_AR", 0x2C0A}, {"es_EC", 0x300A}, {"es_CL", 0x340A}, {"es_UY", 0x380A}, {"es_PY", 0x3C0A},
    {"es_BO", 0x400A}, {"es_SV", 0x440A}, {"es_HN", 0x480A}, {"es_NI", 0x4C0A}, {"es_PR", 0x500A},
    {"es_US", 0x540A}, {"es_419", 0x580A}, {"an", 0x0C0A}, {"ast", 0x0C0A},
    {"fi", 0x040B},
    // French
    {"fr", 0x040C}, {"fr_FR", 0x040C}, {"fr_BE", 0x080C}, {"fr_CA", 0x0C0C}, {"fr_CH", 0x100C},
    {"fr_LU", 0x140C}, {"fr_MC", 0x180C}, {"wa", 0x080C},
    {"he", 0x040D},
    {"hu", 0x040E},
    {"is", 0x040F},
    // Italian
    {"it", 0x0410}, {"it_IT", 0x0410}, {"it_CH", 0x0810}, {"vec", 0x0410}, {"fur", 0x0410},
    {"lij", 0x0410}, {"sc", 0x0410},
    {"ja", 0x0411},
    {"ko", 0x0412},
    {"nl", 0x0413}, {"nl_NL", 0x0413}, {"nl_BE", 0x0813}, {"li", 0x0413},
    // Norwegian: Bokmål is the default
    {"nb", 0x0414}, {"no", 0x0414}, {"nn", 0x0814},
    {"pl", 0x0415}, {"csb", 0x0415}, {"szl", 0x0415},
    // Portuguese
    {"pt", 0x0416}, {"pt_BR", 0x0416}, {"pt_PT", 0x0816},
    {"rm", 0x0417},
    {"ro", 0x0418}, {"ro_RO", 0x0418}, {"ro_MD", 0x0818},
    {"ru", 0x0419}, {"ru_RU", 0x0419}, {"ru_MD", 0x0819},
    // Croatian, Serbian and Bosnian share a primary language
    {"hr", 0x041A}, {"hr_HR", 0x041A}, {"hr_BA", 0x101A},
    {"sr", 0x0C1A}, {"sr@latin", 0x081A}, {"sr@cyrillic", 0x0C1A},
    {"sr_RS", 0x0C1A}, {"sr_RS@latin", 0x081A}, {"sr_CS", 0x0C1A}, {"sr_CS@latin", 0x081A},
    {"sr_ME", 0x081A}, {"sr_ME@latin", 0x081A}, {"sr_ME@cyrillic", 0x0C1A},
    {"sr_BA", 0x1C1A}, {"sr_BA@latin", 0x181A}, {"sr_BA@cyrillic", 0x1C1A},
    {"bs", 0x141A}, {"bs_BA", 0x141A}, {"bs@cyrillic", 0x201A},
    {"sk", 0x041B},
    {"sq", 0x041C},
    {"sv", 0x041D}, {"sv_SE", 0x041D}, {"sv_FI", 0x081D},
    {"th", 0x041E},
    {"tr", 0x041F},
    {"ur", 0x0420}, {"ur_PK", 0x0420}, {"ur_IN", 0x0820},
    {"id", 0x0421},
    {"uk", 0x0422},
    {"be", 0x0423},
    {"sl", 0x0424},
    {"et", 0x0425},
    {"lv", 0x0426},
    {"lt", 0x0427},
    {"tg", 0x0428},
    {"fa", 0x0429},
    {"vi", 0x042A},
    {"hy", 0x042B},
    {"az", 0x042C}, {"az@cyrillic", 0x082C},
    {"eu", 0x042D},
    {"hsb", 0x042E}, {"dsb", 0x082E},
    {"mk", 0x042F},
    {"st", 0x0430},
    {"ts", 0x0431},
    {"tn", 0x0432},
    {"ve", 0x0433},
    {"xh", 0x0434},
    {"zu", 0x0435},
    {"af", 0x0436},
    {"ka", 0x0437},
    {"fo", 0x0438},
    {"hi", 0x0439},
    {"mt", 0x043A},
    {"se", 0x043B},
    {"ga", 0x083C},
    {"ms", 0x043E}, {"ms_MY", 0x043E}, {"ms_BN", 0x083E},
    {"kk", 0x043F},
    {"ky", 0x0440},
    {"sw", 0x0441},
    {"tk", 0x0442},
    {"uz", 0x0443}, {"uz@cyrillic", 0x0843},
    {"tt", 0x0444},
    {"bn", 0x0445}, {"bn_IN", 0x0445}, {"bn_BD", 0x0845},
    {"pa", 0x0446},
    {"gu", 0x0447},
    {"or", 0x0448},
    {"ta", 0x0449},
    {"te", 0x044A},
    {"kn", 0x044B},
    {"ml", 0x044C},
    {"as", 0x044D},
    {"mr", 0x044E},
    {"sa", 0x044F},
    {"mn", 0x0450},
    {"bo", 0x0451},
    {"cy", 0x0452},
    {"km", 0x0453},
    {"lo", 0x0454},
    {"my", 0x0455},
    {"gl", 0x0456},
    {"kok", 0x0457},
    {"syr", 0x045A},
    {"si", 0x045B},
    {"am", 0x045E},
    {"ne", 0x0461},
    {"fy", 0x0462},
    {"ps", 0x0463},
    {"fil", 0x0464}, {"tl", 0x0464},
    {"dv", 0x0465},
    {"ha", 0x0468},
    {"yo", 0x046A},
    {"nso", 0x046C},
    {"ba", 0x046D},
    {"lb", 0x046E},
    {"kl", 0x046F},
    {"ig", 0x0470},
    {"so", 0x0477},
    {"ii", 0x0478},
    {"br", 0x047E},
    {"ug", 0x0480},
    {"mi", 0x0481},
    {"oc", 0x0482},
    {"co", 0x0483},
    {"sah", 0x0485},
    {"rw", 0x0487},
    {"wo", 0x0488},
    {"gd", 0x0491},
};

}  // namespace

LANGID LanguageIdTable::find(std::string_view key) {
  // A few hundred short keys, looked up once per query of the interface language: a plain scan.
  for (const Entry& entry : kEntries)
    if (entry.key == key) return entry.id;
  return 0;
}

}  // namespace platform::kernel::locale

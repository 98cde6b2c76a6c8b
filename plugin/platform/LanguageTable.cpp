#include "platform/LanguageTable.h"

namespace platform {

namespace {

struct LanguageEntry {
    int id;
    const char16_t* abbreviation;
};

constexpr LanguageEntry kLanguages[] = {
    {1025, u"ARA"}, {1026, u"BGR"}, {1027, u"CAT"}, {1028, u"CHT"}, {1029, u"CSY"}, {1030, u"DAN"},
    {1031, u"DEU"}, {1032, u"ELL"}, {1033, u"ENU"}, {1035, u"FIN"}, {1036, u"FRA"}, {1037, u"HEB"},
    {1038, u"HUN"}, {1040, u"ITA"}, {1041, u"JPN"}, {1042, u"KOR"}, {1043, u"NLD"}, {1044, u"NOR"},
    {1045, u"PLK"}, {1046, u"PTB"}, {1048, u"ROM"}, {1049, u"RUS"}, {1050, u"HRV"}, {1051, u"SKY"},
    {1053, u"SVE"}, {1055, u"TRK"}, {1058, u"UKR"}, {1059, u"BEL"}, {1060, u"SLV"}, {1061, u"ETI"},
    {1062, u"LVI"}, {1063, u"LTH"}, {1066, u"VIT"}, {1087, u"KKZ"}, {1091, u"UZB"}, {2052, u"CHS"},
    {2057, u"ENG"}, {2070, u"PTG"}, {3082, u"ESN"}, {1034, u"ESP"}, {3084, u"FRC"}, {4105, u"ENC"},
};

} // namespace

std::u16string languageAbbreviation(int languageId)
{
    for (const LanguageEntry& entry : kLanguages)
        if (entry.id == languageId)
            return entry.abbreviation;
    return {};
}

} // namespace platform

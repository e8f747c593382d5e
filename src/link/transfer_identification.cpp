#include "link/transfer_identification.h"

#include <array>

namespace kestrin {

namespace {

constexpr std::array<int, 12> kMonthCodes{25, 13, 32, 35, 39, 45, 43, 29, 40, 38, 51, 12};
constexpr std::array<const char*, 12> kMonthTexts{" 1", " 2", " 3", " 4", " 5", " 6",
                                                  " 7", " 8", " 9", "10", "11", "12"};

void appendChar(std::string& s, std::uint8_t c)
{
    if (c < 0x20 || c == 0x7F)
        return;
    s.push_back(static_cast<char>(c));
}

char tens(std::uint8_t v) { return static_cast<char>('0' + (v / 10) % 10); }
char units(std::uint8_t v) { return static_cast<char>('0' + v % 10); }

}  // namespace

const char* monthText(int code)
{
    for (std::size_t i = 0; i < kMonthCodes.size(); ++i)
        if (kMonthCodes[i] == code)
            return kMonthTexts[i];
    return "00";
}

int monthCode(int month)
{
    return month >= 1 && month <= 12 ? kMonthCodes[static_cast<std::size_t>(month - 1)] : 0;
}

IdentificationTexts decodeIdentification(const Block& id)
{
    IdentificationTexts t;
    if (id[ident::ProgramName] != 0) {
        for (int i = 0; i < ident::ProgramNameLength && id[ident::ProgramName + i] != 0; ++i)
            appendChar(t.version, id[ident::ProgramName + i]);
    } else {
        for (int i = 0; i < 3; ++i)
            appendChar(t.version, id[ident::VersionChars + i]);
        t.version += tens(id[ident::VersionNumber]);
        t.version += units(id[ident::VersionNumber]);
    }

    const std::uint8_t day = id[ident::Day];
    t.date += day <= 9 ? ' ' : tens(day);
    t.date += units(day);
    t.date += '.';
    t.date += monthText(id[ident::MonthCode]);
    t.date += ".20";
    t.date += tens(id[ident::Year]);
    t.date += units(id[ident::Year]);

    t.time += tens(id[ident::Hour]);
    t.time += units(id[ident::Hour]);
    t.time += ':';
    t.time += tens(id[ident::Minute]);
    t.time += units(id[ident::Minute]);
    return t;
}

}  // namespace kestrin

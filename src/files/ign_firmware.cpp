#include "files/ign_firmware.h"

#include <algorithm>

namespace kestrin {

namespace {

// Month code = low byte of the sum of the characters of the English
// three-letter month name ("Jan": 74 + 97 + 110 = 281 -> 25).
const char* monthText(std::uint8_t code)
{
    switch (code) {
    case 25: return " 1";
    case 13: return " 2";
    case 32: return " 3";
    case 35: return " 4";
    case 39: return " 5";
    case 45: return " 6";
    case 43: return " 7";
    case 29: return " 8";
    case 40: return " 9";
    case 38: return "10";
    case 51: return "11";
    case 12: return "12";
    default: return "??";
    }
}

char digit(int value) { return static_cast<char>('0' + value % 10); }

std::string twoDigits(int value) { return {digit(value / 10), digit(value)}; }

}  // namespace

FirmwareTexts firmwareTexts(const Block& id)
{
    if (std::all_of(id.begin(), id.end(), [](std::uint8_t b) { return b == 0; }))
        return {};
    FirmwareTexts texts;
    if (id[16] != 0) {
        for (int i = 16; i <= 45 && id[static_cast<std::size_t>(i)] != 0; ++i)
            texts.name.push_back(static_cast<char>(id[static_cast<std::size_t>(i)]));
    } else {
        for (int i = 0; i < 3; ++i)
            if (id[static_cast<std::size_t>(i)] != 0)
                texts.name.push_back(static_cast<char>(id[static_cast<std::size_t>(i)]));
        texts.name += twoDigits(id[3]);
    }
    const int day = id[4];
    texts.date.push_back(day <= 9 ? ' ' : digit(day / 10));
    texts.date.push_back(digit(day));
    texts.date += ".";
    texts.date += monthText(id[5]);
    texts.date += ".20" + twoDigits(id[6]);
    texts.time = twoDigits(id[7]) + ":" + twoDigits(id[8]);
    return texts;
}

}  // namespace kestrin

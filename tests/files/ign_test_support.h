#pragma once
// Helpers shared by the parameter file tests.

#include "files/ign_format.h"
#include "model/image.h"

#include <random>
#include <string>
#include <vector>

namespace kestrin::testing {

// Every image offset the file carries, with whether it is written as a flag.
struct CarriedByte {
    int offset;
    bool flag;
};

inline std::vector<CarriedByte> carriedBytes()
{
    std::vector<CarriedByte> out;
    for (const auto& section : ign::sections())
        for (const auto& item : section.items) {
            if (item.kind != ign::ItemKind::Values)
                continue;
            const bool flag = item.format == ign::Format::F5 || item.format == ign::Format::F6 ||
                              item.format == ign::Format::F7;
            for (int b = 0; b < item.count * item.elementSize(); ++b)
                out.push_back({item.offset + b, flag});
        }
    return out;
}

inline ParameterImage randomImage(unsigned seed)
{
    std::mt19937 rng(seed);
    ParameterImage image;
    for (auto& b : image.bytes())
        b = static_cast<std::uint8_t>(rng());
    return image;
}

// "VALDORIX_KEY <version>" followed by `body`.
inline std::string ignText(int version, const std::string& body)
{
    return "VALDORIX_KEY " + std::to_string(version) + "\r\n" + body;
}

}  // namespace kestrin::testing

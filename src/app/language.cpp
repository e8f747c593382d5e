#include "app/language.h"

#include <array>

namespace kestrin {

namespace {

constexpr std::array<std::string_view, kLanguageCount> kArguments = {"ENGLISH", "DEUTSCH", "FRENCH", "CESKY"};

}  // namespace

std::optional<Language> languageFromArgument(std::string_view argument)
{
    for (int i = 0; i < kLanguageCount; ++i) {
        if (argument == kArguments[static_cast<std::size_t>(i)])
            return static_cast<Language>(i);
    }
    return std::nullopt;
}

std::string_view languageArgument(int language)
{
    if (language < 0 || language >= kLanguageCount)
        language = English;
    return kArguments[static_cast<std::size_t>(language)];
}

}  // namespace kestrin

#pragma once
// The interface language chosen on the command line.

#include "app/messages.h"

#include <optional>
#include <string_view>

namespace kestrin {

// "ENGLISH", "DEUTSCH", "FRENCH" or "CESKY" (exactly so) select 0..3; any
// other argument selects nothing and the language stays as it was.
std::optional<Language> languageFromArgument(std::string_view argument);

// The command-line word of a language, "ENGLISH" for anything out of range.
std::string_view languageArgument(int language);

}  // namespace kestrin

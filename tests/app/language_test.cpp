#include "app/language.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(LanguageArgument, NamesSelectTheirLanguageAndOthersNothing)
{
    EXPECT_EQ(languageFromArgument("ENGLISH"), English);
    EXPECT_EQ(languageFromArgument("DEUTSCH"), German);
    EXPECT_EQ(languageFromArgument("FRENCH"), French);
    EXPECT_EQ(languageFromArgument("CESKY"), Czech);
    for (const char* other : {"", "english", "GERMAN", "CZECH", "CESKY ", "2"})
        EXPECT_FALSE(languageFromArgument(other).has_value()) << other;
}

TEST(LanguageArgument, WordsRoundTrip)
{
    for (int language = 0; language < kLanguageCount; ++language)
        EXPECT_EQ(languageFromArgument(languageArgument(language)), language);
    EXPECT_EQ(languageArgument(9), "ENGLISH");
}

}  // namespace
}  // namespace kestrin

// The window program's command line.

#include "app/window_args.h"

#include <gtest/gtest.h>

namespace kestrin {
namespace {

TEST(WindowArgs, OptionsAndTheLanguageWord)
{
    struct Case {
        std::vector<std::string> args;
        std::string word, configDir, port, error;
        bool simulate;
    };
    const Case cases[] = {
        {{}, "", "", "", "", false},
        {{"CESKY"}, "CESKY", "", "", "", false},
        {{"--config-dir", "/tmp/k", "DEUTSCH", "extra"}, "DEUTSCH", "/tmp/k", "", "", false},
        {{"--simulate", "english"}, "english", "", "", "", true},
        {{"--port", "/dev/ttyUSB0"}, "", "", "/dev/ttyUSB0", "", false},
        {{"--port"}, "", "", "", "--port needs a value", false},
        {{"--colour"}, "", "", "", "unknown option --colour", false},
        {{"--simulate", "--port", "/dev/x"}, "", "", "/dev/x", "--simulate and --port exclude each other", true},
        {{"--size", "12x"}, "", "", "", "--size needs WIDTHxHEIGHT, e.g. 1366x768", false},
    };
    for (const Case& c : cases) {
        const WindowArgs a = parseWindowArgs(c.args);
        EXPECT_EQ(a.languageWord, c.word);
        EXPECT_EQ(a.configDir, c.configDir);
        EXPECT_EQ(a.port, c.port);
        EXPECT_EQ(a.error, c.error);
        EXPECT_EQ(a.simulate, c.simulate);
    }
    const WindowArgs sized = parseWindowArgs({"--size", "1920x1080", "--screenshot", "a.png"});
    EXPECT_EQ(sized.width, 1920);
    EXPECT_EQ(sized.height, 1080);
    EXPECT_EQ(sized.screenshot, "a.png");
    EXPECT_TRUE(parseWindowArgs({"--help"}).help);
}

}  // namespace
}  // namespace kestrin

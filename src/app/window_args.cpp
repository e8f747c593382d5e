#include "app/window_args.h"

#include <cstdlib>

namespace kestrin {

namespace {

bool parseSize(const std::string& text, int& width, int& height)
{
    const auto x = text.find('x');
    if (x == std::string::npos || x == 0 || x + 1 >= text.size())
        return false;
    char* end = nullptr;
    const long w = std::strtol(text.c_str(), &end, 10);
    if (end != text.c_str() + x)
        return false;
    const long h = std::strtol(text.c_str() + x + 1, &end, 10);
    if (*end != '\0' || w < 200 || h < 200 || w > 10000 || h > 10000)
        return false;
    width = static_cast<int>(w);
    height = static_cast<int>(h);
    return true;
}

}  // namespace

WindowArgs parseWindowArgs(const std::vector<std::string>& args)
{
    WindowArgs out;
    bool haveWord = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        auto value = [&](std::string& target) {
            if (i + 1 >= args.size() || args[i + 1].empty()) {
                out.error = a + " needs a value";
                return;
            }
            target = args[++i];
        };
        if (a == "--config-dir") {
            value(out.configDir);
        } else if (a == "--port") {
            value(out.port);
        } else if (a == "--help" || a == "-h") {
            out.help = true;
        } else if (a == "--simulate") {
            out.simulate = true;
        } else if (a == "--screenshot") {
            value(out.screenshot);
        } else if (a == "--print-to") {
            value(out.printTo);
        } else if (a == "--size") {
            std::string size;
            value(size);
            if (out.error.empty() && !parseSize(size, out.width, out.height))
                out.error = "--size needs WIDTHxHEIGHT, e.g. 1366x768";
        } else if (a.size() > 1 && a[0] == '-' && a[1] == '-') {
            out.error = "unknown option " + a;
        } else if (!haveWord) {
            out.languageWord = a;
            haveWord = true;
        }
        if (!out.error.empty())
            break;
    }
    if (out.simulate && !out.port.empty())
        out.error = "--simulate and --port exclude each other";
    return out;
}

}  // namespace kestrin

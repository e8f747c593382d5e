#include "app/cli/cli_args.h"

#include <algorithm>
#include <charconv>

namespace kestrin::cli {

Args::Args(const std::vector<std::string>& argv, std::initializer_list<const char*> valued,
           std::initializer_list<const char*> flags)
{
    auto in = [](std::initializer_list<const char*> list, const std::string& s) {
        return std::any_of(list.begin(), list.end(), [&](const char* n) { return s == n; });
    };
    for (std::size_t i = 0; i < argv.size(); ++i) {
        const std::string& a = argv[i];
        if (a.size() > 1 && a[0] == '-') {
            if (in(valued, a)) {
                if (i + 1 >= argv.size())
                    throw UsageError("option " + a + " needs a value");
                values_[a] = argv[++i];
            } else if (in(flags, a)) {
                flags_.insert(a);
            } else {
                throw UsageError("unknown option " + a);
            }
        } else {
            positional_.push_back(a);
        }
    }
}

std::optional<std::string> Args::value(const std::string& name) const
{
    auto it = values_.find(name);
    if (it == values_.end())
        return std::nullopt;
    return it->second;
}

void Args::expectPositional(std::size_t min, std::size_t max, const char* usage) const
{
    if (positional_.size() < min || positional_.size() > max)
        throw UsageError(std::string("usage: ") + usage);
}

int parseInt(const std::string& text, int lo, int hi, const char* what)
{
    int value = 0;
    const char* end = text.data() + text.size();
    auto [p, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || p != end || value < lo || value > hi)
        throw UsageError(std::string(what) + " must be a whole number from " + std::to_string(lo) +
                         " to " + std::to_string(hi) + ", not '" + text + "'");
    return value;
}

}  // namespace kestrin::cli

// Commands over the parameter model alone.

#include "app/cli/cli_args.h"
#include "app/cli/commands.h"

namespace kestrin::cli {

int runImage(const std::vector<std::string>& argv)
{
    static const char* const kUsage = "kestrin-cli image --bike CODE | kestrin-cli image FILE [--raw]";
    Args args(argv, {"--bike", "--language"}, {"--raw"});
    args.expectPositional(0, 1, kUsage);
    const auto bike = args.value("--bike");
    if (bike.has_value() == (args.positional().size() == 1) || (bike && args.flag("--raw")))
        throw UsageError(std::string("usage: ") + kUsage);
    if (bike)
        return imageOfBike(parseInt(*bike, 0, 60, "bike code"));

    return imageOfFile(args.positional()[0], args.flag("--raw"), messagesFor(args));
}

}  // namespace kestrin::cli

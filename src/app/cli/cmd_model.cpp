// Commands over the parameter model alone.

#include "app/cli/cli_args.h"
#include "app/cli/commands.h"
#include "files/file_steps.h"
#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/fields.h"

#include <cstdio>

namespace kestrin::cli {

namespace {

void printImage(const ParameterImage& image)
{
    const auto bytes = image.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::printf("%u%c", static_cast<unsigned>(bytes[i]), (i % 15 == 14) ? '\n' : ' ');
}

}  // namespace

int runImage(const std::vector<std::string>& argv)
{
    Args args(argv, {"--bike"}, {});
    args.expectPositional(0, 0, "kestrin-cli image --bike CODE");
    const auto bike = args.value("--bike");
    if (!bike)
        throw UsageError("usage: kestrin-cli image --bike CODE");
    const int code = parseInt(*bike, 0, 60, "bike code");

    Document doc;
    doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(code));
    ApplyBikeDefaults(doc);
    ApplyConsistencyRules(doc);
    ShowImage(doc);
    printImage(doc.image);
    return 0;
}

}  // namespace kestrin::cli

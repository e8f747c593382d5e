// The service exports on the command line: the default set of every bike
// into DIR/new_ign, and the comparison of those files with DIR/new_ign_old.

#include "app/cli/cli_args.h"
#include "app/cli/commands.h"
#include "app/messages.h"
#include "files/file_steps.h"
#include "files/service_compare.h"
#include "files/service_save_all.h"
#include "model/document.h"

#include <cstdio>

namespace kestrin::cli {

namespace {

MessageTable messagesOf(const Args& args) { return MessageTable(languageOption(args)); }

void reportFileError(const MessageTable& messages, const std::string& path)
{
    std::fprintf(stderr, "%s: %s\n", path.c_str(), messages[msg::OpenFileError].c_str());
}

}  // namespace

int runSaveAllNew(const std::vector<std::string>& argv)
{
    Args args(argv, {"--language"}, {});
    args.expectPositional(1, 1, "kestrin-cli save-all-new DIR [--language L]");
    const MessageTable messages = messagesOf(args);

    Document doc;
    SetStartupImage(doc);
    const SaveAllNewResult result = SaveAllNew(doc, args.positional()[0]);
    if (!result.folderReady) {
        reportFileError(messages, result.folder);
        return 1;
    }
    for (const std::string& path : result.failed)
        reportFileError(messages, path);
    return result.ok() ? 0 : 1;
}

int runCompareAllNew(const std::vector<std::string>& argv)
{
    Args args(argv, {"--language"}, {});
    args.expectPositional(1, 1, "kestrin-cli compare-all-new DIR [--language L]");
    const MessageTable messages = messagesOf(args);

    const CompareAllResult result = CompareAllNew(args.positional()[0]);
    if (!result.reportWritten) {
        reportFileError(messages, result.reportPath);
        return 1;
    }
    std::fprintf(stderr, "%s\n", compareResultMessage(result.reportPath).c_str());
    return result.allEqual() ? 0 : 1;
}

}  // namespace kestrin::cli

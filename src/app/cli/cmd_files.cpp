// The parameter file tools: default sets, normalising, merging one page and
// comparing files, all through the same reader, writer and file steps as
// the window.

#include "app/cli/cli_args.h"
#include "app/cli/commands.h"
#include "app/messages.h"
#include "files/file_steps.h"
#include "files/ign_codepage.h"
#include "files/ign_memo.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <cstdio>
#include <string>

namespace kestrin::cli {

namespace {

constexpr int kExitDifferent = 1;
constexpr int kExitFailed = 1;
constexpr int kExitBadInput = 2;

void printMessage(const std::string& text, const std::string& detail = {})
{
    std::fprintf(stderr, "%s%s%s\n", text.c_str(), detail.empty() ? "" : ": ", detail.c_str());
}

// Loads `path` into `doc` as Open (or Open for actual page) does, without
// the after-load steps. Returns 0 or the exit status of the failure, whose
// message is already on stderr.
int load(Document& doc, const std::string& path, bool restrictToPage, const MessageTable& messages)
{
    IgnReadOptions options;
    options.restrictToPage = restrictToPage;
    options.notify = [&](int entry) { printMessage(messages[entry]); };
    const IgnLoadResult result = loadParameterFile(doc, path, options);
    if (!result.opened) {
        printMessage(messages[kMsgOpenFileError], path);
        return kExitBadInput;
    }
    return result.read.version != 0 ? 0 : kExitBadInput;
}

// Open (or Open for actual page): the load followed by the after-load steps.
int openFile(Document& doc, const std::string& path, bool restrictToPage, const MessageTable& messages)
{
    if (const int status = load(doc, path, restrictToPage, messages))
        return status;
    RunAfterLoadSteps(doc);
    return 0;
}

// Writes the file to `out`, or to stdout when no -o was given.
int save(const Document& doc, const std::optional<std::string>& out, const MessageTable& messages)
{
    if (!out) {
        const std::string text = WriteParameterFile(doc.image, ignInfoTexts(doc));
        const bool written = std::fwrite(text.data(), 1, text.size(), stdout) == text.size();
        return std::fflush(stdout) == 0 && written ? 0 : kExitFailed;
    }
    std::string error;
    if (saveParameterFile(doc, *out, messages, &error))
        return 0;
    printMessage(error, *out);
    return kExitFailed;
}

int pageArgument(const std::string& text)
{
    if (const auto page = pageOfCaption(text))
        return *page;
    return parseInt(text, 0, kPageCount - 1, "page");
}

// --- diff -----------------------------------------------------------------

struct DiffPrinter {
    int differences = 0;
    void line(const std::string& name, const std::string& a, const std::string& b)
    {
        std::printf("%s: %s -> %s\n", name.c_str(), a.c_str(), b.c_str());
        ++differences;
    }
    void line(const std::string& name, int a, int b) { line(name, std::to_string(a), std::to_string(b)); }
};

std::string quoted(const std::string& cp1250)
{
    return "\"" + cp1250ToUtf8(cp1250) + "\"";
}

int diffImages(const ParameterImage& a, const ParameterImage& b)
{
    DiffPrinter out;
    for (const auto& field : scalarFields()) {
        for (int i = 0; i < field.count; ++i) {
            if (readStored(a, field, i) == readStored(b, field, i))
                continue;
            const std::string name = field.count > 1 ? std::string(field.name) + "[" + std::to_string(i) + "]"
                                                     : std::string(field.name);
            out.line(name, readShown(a, field, i), readShown(b, field, i));
        }
    }
    // Bytes that belong to no field still count: the unit gets them too.
    for (int offset = 0; offset < off::RpmAdvance; ++offset)
        if (!fieldAtOffset(offset) && a.byte(offset) != b.byte(offset))
            out.line("byte " + std::to_string(offset), a.byte(offset), b.byte(offset));
    for (const auto& map : mapDescriptors()) {
        for (int col = 0; col < kMapColumns; ++col) {
            const int at = map.axisOffset + col;
            if (a.byte(at) != b.byte(at))
                out.line(std::string(map.axisName) + "[" + std::to_string(col) + "]", a.byte(at) * 100,
                         b.byte(at) * 100);
        }
        for (int row = 0; row < kMapRows; ++row)
            for (int col = 0; col < kMapColumns; ++col) {
                const int va = readCell(a, map, row, col);
                const int vb = readCell(b, map, row, col);
                if (va != vb)
                    out.line(std::string(map.name) + "[row " + std::to_string(row) + "][col " +
                                 std::to_string(col) + "]",
                             va, vb);
            }
    }
    const auto linesA = memoLines(a);
    const auto linesB = memoLines(b);
    for (std::size_t i = 0; i < std::max(linesA.size(), linesB.size()); ++i) {
        const std::string la = i < linesA.size() ? quoted(linesA[i]) : "(none)";
        const std::string lb = i < linesB.size() ? quoted(linesB[i]) : "(none)";
        if (la != lb)
            out.line("MemoText[line " + std::to_string(i) + "]", la, lb);
    }
    return out.differences == 0 ? 0 : kExitDifferent;
}

}  // namespace

void printImage(const ParameterImage& image)
{
    const auto bytes = image.bytes();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        std::printf("%u%c", static_cast<unsigned>(bytes[i]), (i % 15 == 14) ? '\n' : ' ');
}

MessageTable messagesFor(const Args& args)
{
    return MessageTable(languageOption(args));
}

int imageOfFile(const std::string& path, bool raw, const MessageTable& messages)
{
    Document doc;
    SetStartupImage(doc);
    if (const int status = load(doc, path, false, messages))
        return status;
    if (!raw)
        RunAfterLoadSteps(doc);
    printImage(doc.image);
    return 0;
}

int imageOfBike(int code)
{
    Document doc;
    PrepareDefaultSet(doc, code);
    printImage(doc.image);
    return 0;
}

int runDefaults(const std::vector<std::string>& argv)
{
    Args args(argv, {"-o", "--language"}, {});
    args.expectPositional(1, 1, "kestrin-cli defaults CODE [-o FILE]");
    const int code = parseInt(args.positional()[0], 0, kLastBikeCode, "bike code");
    const MessageTable messages = messagesFor(args);
    Document doc;
    PrepareDefaultSet(doc, code);
    return save(doc, args.value("-o"), messages);
}

int runNormalize(const std::vector<std::string>& argv)
{
    Args args(argv, {"-o", "--language"}, {});
    args.expectPositional(1, 1, "kestrin-cli normalize IN [-o OUT]");
    const MessageTable messages = messagesFor(args);
    Document doc;
    SetStartupImage(doc);
    if (const int status = openFile(doc, args.positional()[0], false, messages))
        return status;
    RunBeforeSaveSteps(doc);
    return save(doc, args.value("-o"), messages);
}

int runMerge(const std::vector<std::string>& argv)
{
    Args args(argv, {"-o", "--page", "--language"}, {});
    args.expectPositional(2, 2, "kestrin-cli merge BASE FROM --page PAGE [-o OUT]");
    const auto page = args.value("--page");
    if (!page)
        throw UsageError("usage: kestrin-cli merge BASE FROM --page PAGE [-o OUT]");
    const int activePage = pageArgument(*page);
    const MessageTable messages = messagesFor(args);
    Document doc;
    SetStartupImage(doc);
    if (const int status = openFile(doc, args.positional()[0], false, messages))
        return status;
    doc.activePage = activePage;
    if (const int status = openFile(doc, args.positional()[1], true, messages))
        return status;
    RunBeforeSaveSteps(doc);
    return save(doc, args.value("-o"), messages);
}

int runDiff(const std::vector<std::string>& argv)
{
    Args args(argv, {"--language"}, {});
    args.expectPositional(2, 2, "kestrin-cli diff A B");
    const MessageTable messages = messagesFor(args);
    Document a;
    Document b;
    SetStartupImage(a);
    SetStartupImage(b);
    if (const int status = load(a, args.positional()[0], false, messages))
        return status;
    if (const int status = load(b, args.positional()[1], false, messages))
        return status;
    RunAfterLoadSteps(a);
    RunAfterLoadSteps(b);
    return diffImages(a.image, b.image);
}

}  // namespace kestrin::cli

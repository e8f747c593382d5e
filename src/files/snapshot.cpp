#include "files/snapshot.h"

#include "files/atomic_file.h"
#include "files/whole_file.h"

#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace kestrin {

namespace {

void appendNumber(std::string& out, unsigned value)
{
    char buf[16];
    const int n = std::snprintf(buf, sizeof buf, "%5u ", value);
    out.append(buf, static_cast<std::size_t>(n));
}

bool isSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

}  // namespace

std::string snapshotText(const ParameterImage& image, const PageFlags& allFlags)
{
    std::string out;
    out.reserve(kImageSize * 6 + kImageSize / 10 * 2 + kImageSize / 100 * 2 + kPageCount * 6);
    const auto bytes = image.bytes();
    for (int i = 0; i < kImageSize; ++i) {
        appendNumber(out, bytes[static_cast<std::size_t>(i)]);
        if ((i + 1) % 10 == 0)
            out += "\r\n";
        if ((i + 1) % 100 == 0)
            out += "\r\n";
    }
    for (std::uint8_t flag : allFlags)
        appendNumber(out, flag);
    return out;
}

SnapshotRead readSnapshotText(std::string_view text, ParameterImage& image, PageFlags& allFlags)
{
    SnapshotRead read;
    std::size_t pos = 0;
    // The next number as its low 8 bits, or nothing at the end or at a word
    // that is no unsigned number.
    auto next = [&]() -> std::optional<std::uint8_t> {
        while (pos < text.size() && isSpace(text[pos]))
            ++pos;
        const std::size_t start = pos;
        unsigned value = 0;
        while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9')
            value = (value * 10 + static_cast<unsigned>(text[pos++] - '0')) & 0xFFu;
        if (pos == start || (pos < text.size() && !isSpace(text[pos])))
            return std::nullopt;
        return static_cast<std::uint8_t>(value);
    };
    for (; read.imageBytes < kImageSize; ++read.imageBytes) {
        const auto value = next();
        if (!value)
            return read;
        image.setByte(read.imageBytes, *value);
    }
    for (; read.flags < kPageCount; ++read.flags) {
        const auto value = next();
        if (!value)
            return read;
        allFlags[static_cast<std::size_t>(read.flags)] = *value;
    }
    return read;
}

bool saveSnapshotFile(const std::string& path, const ParameterImage& image, const PageFlags& allFlags)
{
    const QString dir = QFileInfo(QString::fromStdString(path)).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    return writeFileAtomically(path, snapshotText(image, allFlags));
}

bool loadSnapshotFile(const std::string& path, ParameterImage& image, PageFlags& allFlags)
{
    const auto text = readWholeFile(path);
    if (!text)
        return false;
    readSnapshotText(*text, image, allFlags);
    return true;
}

}  // namespace kestrin

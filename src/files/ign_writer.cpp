#include "files/ign_writer.h"

#include "app/build_stamp.h"
#include "app/messages.h"
#include "files/atomic_file.h"
#include "files/ign_firmware.h"
#include "files/ign_format.h"
#include "files/ign_memo.h"
#include "model/document.h"

#include <cstdio>

namespace kestrin {

namespace {

constexpr const char* kLineBreak = "\r\n";
constexpr int kOpenFileError = 24;

template <typename T>
void appendf(std::string& out, const char* format, T value)
{
    char buffer[24];
    const int n = std::snprintf(buffer, sizeof buffer, format, value);
    if (n > 0)
        out.append(buffer, static_cast<std::size_t>(n));
}

void appendValue(std::string& out, ign::Format format, int stored, int written)
{
    switch (format) {
    case ign::Format::U: appendf(out, "%5u ", static_cast<unsigned>(written)); break;
    case ign::Format::D: appendf(out, "%5d ", written); break;
    case ign::Format::I: appendf(out, "%5i ", static_cast<std::int8_t>(stored)); break;
    case ign::Format::F5: out += stored != 0 ? "    1" : "    0"; break;
    case ign::Format::F6: out += stored != 0 ? "    1 " : "    0 "; break;
    case ign::Format::F7: out += stored != 0 ? "     1 " : "     0 "; break;
    }
}

void appendContinue(std::string& out)
{
    out += kLineBreak;
    out.append(ign::kValueColumn, ' ');
}

void appendHead(std::string& out, const char* keyword, int padding)
{
    out += kLineBreak;
    out += keyword;
    out.append(static_cast<std::size_t>(padding), ' ');
}

void appendSection(std::string& out, const ign::Section& section, const ParameterImage& image)
{
    appendHead(out, section.keyword, section.padding);
    for (const auto& item : section.items) {
        switch (item.kind) {
        case ign::ItemKind::Continue: appendContinue(out); break;
        case ign::ItemKind::Blank: out += kLineBreak; break;
        case ign::ItemKind::Values: {
            const int factor = ign::effectiveFactor(item, image.bytes(), ign::kFormatVersion);
            for (int i = 0; i < item.count; ++i) {
                const int at = item.offset + i * item.elementSize();
                const int stored = item.word ? image.word(at) : image.byte(at);
                appendValue(out, item.format, stored, stored * factor + item.addend);
                if (item.map && i % 15 == 14)
                    appendContinue(out);
            }
            break;
        }
        }
    }
}

// The information lines are single lines whatever the unit reports: a line
// break inside a firmware name would let the rest of it be read as sections.
std::string oneLine(std::string text)
{
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20)
            c = ' ';
    return text;
}

}  // namespace

std::string WriteParameterFile(const ParameterImage& image, const IgnInfoTexts& info)
{
    std::string out;
    out.reserve(24 * 1024);
    out += ign::kKeyword;
    out += "   ";
    appendf(out, "%3u ", static_cast<unsigned>(ign::kFormatVersion));
    out += kLineBreak;

    for (const auto& section : ign::sections())
        appendSection(out, section, image);

    appendHead(out, "VERSIONS", 0);
    out += kLineBreak;
    out += "HEX  " + oneLine(info.firmwareDate) + "  " + oneLine(info.firmwareTime) + "   " +
           oneLine(info.firmwareName);
    out += kLineBreak;
    out += "EXE  " + oneLine(info.buildDate) + "   " + oneLine(info.buildTime);
    out += kLineBreak;

    appendHead(out, ign::kMemoKeyword, 9);
    for (const auto& line : memoLines(image)) {
        out += kLineBreak;
        out += line;
    }
    return out;
}

IgnInfoTexts ignInfoTexts(const Document& doc)
{
    const FirmwareTexts firmware = firmwareTexts(doc.identification);
    return {firmware.date, firmware.time, firmware.name, buildDate(), buildTime()};
}

bool saveParameterFile(const Document& doc, const std::string& path, const MessageTable& messages,
                       std::string* error)
{
    if (writeFileAtomically(path, WriteParameterFile(doc.image, ignInfoTexts(doc))))
        return true;
    if (error)
        *error = messages[kOpenFileError];
    return false;
}

}  // namespace kestrin

#include "files/service_percent.h"

#include "files/atomic_file.h"
#include "model/document.h"
#include "model/fields.h"

#include <cstdio>
#include <cstring>

namespace kestrin {

namespace {

constexpr const char* kEol = "\r\n";
constexpr int kHeadWidth = 13;  // keyword and padding; values start in column 14

void appendHead(std::string& out, const char* keyword)
{
    out += kEol;
    out += keyword;
    const int length = static_cast<int>(std::strlen(keyword));
    if (length < kHeadWidth)
        out.append(static_cast<std::size_t>(kHeadWidth - length), ' ');
}

void appendValue(std::string& out, unsigned value)
{
    char buf[16];
    const int n = std::snprintf(buf, sizeof buf, "%5u ", value);
    out.append(buf, static_cast<std::size_t>(n));
}

void appendContinuation(std::string& out)
{
    out += kEol;
    out.append(kHeadWidth, ' ');
}

}  // namespace

std::string percentExportText(const ParameterImage& image, const std::array<InjectionTable, 5>& percent)
{
    std::string out;
    for (int m = 0; m < 5; ++m) {
        const MapDescriptor& map = injectionMap(m);
        appendHead(out, map.axisSection);
        for (int c = 0; c < kMapColumns; ++c)
            appendValue(out, image.byte(map.axisOffset + c) * 100u);
        appendHead(out, map.section);
        const InjectionTable& table = percent[static_cast<std::size_t>(m)];
        for (int i = 0; i < kMapCells; ++i) {
            appendValue(out, table[static_cast<std::size_t>(i)]);
            if ((i + 1) % kMapColumns == 0)
                appendContinuation(out);
        }
    }
    return out;
}

bool savePercentExport(const Document& doc, const std::string& path)
{
    return writeFileAtomically(path, percentExportText(doc.image, doc.derived.percent));
}

}  // namespace kestrin

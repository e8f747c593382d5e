#include "files/service_compare.h"

#include "files/atomic_file.h"
#include "files/service_folders.h"
#include "files/whole_file.h"

#include <QDir>

#include <algorithm>
#include <optional>

namespace kestrin {

namespace {

// The report is plain text with the same CR LF line ends as the files it
// compares.
constexpr const char* kEol = "\r\n";

}  // namespace

std::vector<std::string> splitTextLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::size_t start = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            ++i;
            continue;
        }
        lines.push_back(text.substr(start, i - start));
        i += (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ? 2 : 1;
        start = i;
    }
    if (start < text.size())
        lines.push_back(text.substr(start));
    return lines;
}

std::string compareLines(const std::vector<std::string>& oldLines, const std::vector<std::string>& newLines,
                         int* differences)
{
    std::string out;
    const std::size_t lineCount = std::min(oldLines.size(), newLines.size());
    for (std::size_t j = 0; j < lineCount; ++j) {
        const std::string& newLine = newLines[j];
        if (oldLines[j] == newLine)
            continue;
        std::string masked = oldLines[j];
        const std::size_t k = std::min(masked.size(), newLine.size());
        for (std::size_t p = 0; p < k; ++p) {
            if (masked[p] == newLine[p])
                masked[p] = ' ';
        }
        out += "....line:" + std::to_string(j + 1) + kEol;
        out += masked + kEol;
        out += newLine + kEol;
        if (differences)
            ++*differences;
    }
    return out;
}

std::string compareAllNewReport(const std::string& base, std::span<const char* const> bikeNames,
                                CompareAllResult& result)
{
    const std::string oldFolder = oldIgnFolder(base);
    const std::string newFolder = newIgnFolder(base);
    std::string report;
    for (const char* name : bikeNames) {
        report += std::string("------------------------------------------------------   ") + name + kEol;
        const auto oldText = readWholeFile(bikeFilePath(oldFolder, name));
        if (!oldText) {
            report += std::string("!!!!!!!!!soubor \"old\" se nepodarilo otevrit ") + kEol;
            ++result.missingOld;
            continue;
        }
        const auto newText = readWholeFile(bikeFilePath(newFolder, name));
        if (!newText) {
            report += std::string("!!!!!!!!!!!soubor \"akt\" se nepodarilo otevrit !!!!!!!!!!!!!!!!") + kEol;
            ++result.missingNew;
            continue;
        }
        report += compareLines(splitTextLines(*oldText), splitTextLines(*newText), &result.differingLines);
    }
    return report;
}

CompareAllResult CompareAllNew(const std::string& base)
{
    CompareAllResult result;
    result.reportPath = compareReportPath(base);
    const std::string report = compareAllNewReport(base, serviceBikeNames(), result);
    result.reportWritten = writeFileAtomically(result.reportPath, report);
    return result;
}

std::string compareResultMessage(const std::string& reportPath)
{
    return "Results in file \"" + QDir::toNativeSeparators(QString::fromStdString(reportPath)).toStdString() + "\"";
}

}  // namespace kestrin

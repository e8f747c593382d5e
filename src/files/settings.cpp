#include "files/settings.h"

#include "files/atomic_file.h"
#include "files/whole_file.h"
#include "model/fields.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <cctype>
#include <charconv>
#include <iterator>
#include <optional>
#include <vector>

namespace kestrin {

namespace {

constexpr const char* kCrLf = "\r\n";

// The keys in the order they are written and read.
constexpr const char* kLeft = "Left";
constexpr const char* kTop = "Top";
constexpr const char* kHeight = "Height";
constexpr const char* kWidth = "Width";
constexpr const char* kComPort = "ComPort";
constexpr const char* kComPortAuto = "ComPortAuto";
constexpr const char* kLanguage = "Language";
constexpr const char* kFile = "File";
constexpr const char* kIniDir = "IniDir";
constexpr const char* kActivePage = "PageControl1->ActivePageIndex";
constexpr const char* kZobrMs = "CheckBoxZobrMs_Uni->Checked";
constexpr const char* kExtMonitor = "CheckBoxExtMonitor->Checked";
constexpr const char* kAllPolohaA = "CheckBoxAll_PolohaA->Checked";
constexpr const char* kAllPolohaB = "CheckBoxAll_PolohaB->Checked";

constexpr const char* kAllKeys[] = {kLeft,   kTop,    kHeight,     kWidth, kComPort,    kComPortAuto, kLanguage,
                                    kFile,   kIniDir, kActivePage, kZobrMs, kExtMonitor, kAllPolohaA,  kAllPolohaB};

std::string_view trim(std::string_view s)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

std::vector<std::string_view> splitLines(std::string_view text)
{
    if (text.starts_with("\xEF\xBB\xBF"))  // a byte-order mark left by an editor
        text.remove_prefix(3);
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const auto end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        lines.push_back(line);
        if (end == std::string_view::npos)
            break;
        text.remove_prefix(end + 1);
    }
    return lines;
}

// The name of a "[name]" line, if the line is a section head.
std::optional<std::string_view> sectionName(std::string_view line)
{
    line = trim(line);
    if (!line.starts_with('['))
        return std::nullopt;
    const auto close = line.find(']');
    if (close == std::string_view::npos)
        return std::nullopt;
    return trim(line.substr(1, close - 1));
}

struct KeyValue {
    std::string_view key;
    std::string_view value;
};

std::optional<KeyValue> keyValue(std::string_view line)
{
    const auto eq = line.find('=');
    if (eq == std::string_view::npos)
        return std::nullopt;
    const std::string_view key = trim(line.substr(0, eq));
    if (key.empty())
        return std::nullopt;
    return KeyValue{key, trim(line.substr(eq + 1))};
}

bool isOurKey(std::string_view key)
{
    return std::any_of(std::begin(kAllKeys), std::end(kAllKeys), [&](const char* k) { return equalNoCase(key, k); });
}

// The lines of a file split around its first "BASIC" section.
struct SectionSplit {
    std::vector<std::string_view> before;  // lines before the section head
    std::vector<KeyValue> keys;            // key=value lines of the section
    std::vector<std::string_view> others;  // other lines of the section (kept when rewriting)
    std::vector<std::string_view> after;   // lines from the next section head on
    bool found = false;
};

SectionSplit splitAtSection(std::string_view text)
{
    SectionSplit split;
    enum { Before, Inside, After } where = Before;
    for (std::string_view line : splitLines(text)) {
        const auto section = sectionName(line);
        if (where == Before && section && equalNoCase(*section, kSettingsSection)) {
            where = Inside;
            split.found = true;
            continue;
        }
        if (where == Inside && section)
            where = After;
        switch (where) {
        case Before: split.before.push_back(line); break;
        case After: split.after.push_back(line); break;
        case Inside:
            if (auto kv = keyValue(line))
                split.keys.push_back(*kv);
            else if (!trim(line).empty())
                split.others.push_back(line);
            break;
        }
    }
    return split;
}

std::optional<std::string_view> findKey(const std::vector<KeyValue>& keys, std::string_view key)
{
    // The first of several equal keys counts, as with Windows profile files.
    for (const KeyValue& kv : keys) {
        if (equalNoCase(kv.key, key))
            return kv.value;
    }
    return std::nullopt;
}

std::optional<int> parseInt(std::string_view text)
{
    if (text.starts_with('+'))
        text.remove_prefix(1);
    int value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty())
        return std::nullopt;
    return value;
}

// Values lose surrounding blanks and one pair of matching quotes on reading,
// as Windows profile strings do.
std::string unquote(std::string_view value)
{
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

// A text value that would not survive that reading is written in quotes. A
// line break cannot be stored in a line-based file; such a value (a file
// name can hold one) is written empty rather than break the file apart.
std::string quoteIfNeeded(const std::string& value)
{
    if (value.find_first_of("\r\n") != std::string::npos)
        return {};
    const bool needsQuotes =
        !value.empty() && (trim(value).size() != value.size() || value.front() == '"' || value.front() == '\'');
    return needsQuotes ? '"' + value + '"' : value;
}

void appendLine(std::string& out, std::string_view line)
{
    out.append(line);
    out.append(kCrLf);
}

}  // namespace

std::string settingsText(const Settings& s)
{
    std::string out;
    auto put = [&](const char* key, const std::string& value) {
        out.append(key);
        out.push_back('=');
        appendLine(out, value);
    };
    auto putInt = [&](const char* key, int value) { put(key, std::to_string(value)); };

    appendLine(out, std::string("[") + kSettingsSection + "]");
    putInt(kLeft, s.left);
    putInt(kTop, s.top);
    putInt(kHeight, s.height);
    putInt(kWidth, s.width);
    putInt(kComPort, s.portChoice + 1);
    putInt(kComPortAuto, s.portAutoIndex + 1);
    putInt(kLanguage, s.language);
    put(kFile, quoteIfNeeded(s.fileName));
    put(kIniDir, quoteIfNeeded(s.rememberedFile));
    putInt(kActivePage, s.activePage);
    putInt(kZobrMs, s.showMilliseconds ? 1 : 0);
    putInt(kExtMonitor, s.extendedMonitor ? 1 : 0);
    putInt(kAllPolohaA, s.allPositionsA ? 1 : 0);
    putInt(kAllPolohaB, s.allPositionsB ? 1 : 0);
    return out;
}

void readSettingsText(std::string_view text, Settings& s)
{
    const SectionSplit split = splitAtSection(text);
    const auto& keys = split.keys;

    auto readInt = [&](const char* key, int& target) {
        if (auto value = findKey(keys, key))
            if (auto number = parseInt(*value))
                target = *number;
    };
    auto readBool = [&](const char* key, bool& target) {
        int value = target ? 1 : 0;
        readInt(key, value);
        target = value != 0;
    };
    auto readText = [&](const char* key, std::string& target) {
        if (auto value = findKey(keys, key))
            target = unquote(*value);
    };

    readInt(kLeft, s.left);
    readInt(kTop, s.top);
    readInt(kHeight, s.height);
    readInt(kWidth, s.width);
    // The file holds the choice + 1; an absent key reads as 1 (COM1), an
    // absent "ComPortAuto" as 0, i.e. "no port tried yet" (255).
    int comPort = 1;
    readInt(kComPort, comPort);
    s.portChoice = comPort - 1;
    int comPortAuto = 0;
    readInt(kComPortAuto, comPortAuto);
    s.portAutoIndex = comPortAuto == 0 ? 255 : comPortAuto - 1;
    readInt(kLanguage, s.language);
    readText(kFile, s.fileName);
    readText(kIniDir, s.rememberedFile);
    int page = s.activePage;
    readInt(kActivePage, page);
    if (page >= 0 && page < kPageCount)
        s.activePage = page;
    readBool(kZobrMs, s.showMilliseconds);
    readBool(kExtMonitor, s.extendedMonitor);
    readBool(kAllPolohaA, s.allPositionsA);
    readBool(kAllPolohaB, s.allPositionsB);
}

bool saveSettingsFile(const std::string& path, const Settings& settings)
{
    std::string out;
    const std::string existing = readWholeFile(path).value_or(std::string());
    const SectionSplit split = splitAtSection(existing);  // views into `existing`
    if (split.found) {
        for (std::string_view line : split.before)
            appendLine(out, line);
    }
    out += settingsText(settings);
    for (const KeyValue& kv : split.keys) {
        if (!isOurKey(kv.key)) {
            out.append(kv.key);
            out.push_back('=');
            appendLine(out, kv.value);
        }
    }
    for (std::string_view line : split.others)
        appendLine(out, line);
    // A file without our section keeps its whole text after ours.
    for (std::string_view line : split.found ? split.after : split.before)
        appendLine(out, line);

    const QString dir = QFileInfo(QString::fromStdString(path)).absolutePath();
    if (!QDir().mkpath(dir))
        return false;
    return writeFileAtomically(path, out);
}

bool loadSettingsFile(const std::string& path, Settings& settings)
{
    const auto text = readWholeFile(path);
    readSettingsText(text ? std::string_view(*text) : std::string_view(), settings);
    return text.has_value();
}

}  // namespace kestrin

#include "files/ign_reader.h"

#include "files/ign_format.h"
#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <QFile>
#include <QFileInfo>
#include <QString>

namespace kestrin {

namespace {

using ign::Input;

// Longer than any keyword; a longer token is consumed whole and is simply
// no keyword, so a token of any length costs no memory.
constexpr std::size_t kTokenKeep = 32;

void skipBlanks(Input& in)
{
    while (ign::isBlank(in.peek()))
        in.get();
}

// The next white-space-delimited token; false at the end of the file.
bool readToken(Input& in, std::string& token)
{
    skipBlanks(in);
    token.clear();
    if (in.peek() == Input::kEnd)
        return false;
    bool tooLong = false;
    for (int c = in.peek(); c != Input::kEnd && !ign::isBlank(c); c = in.peek()) {
        in.get();
        if (token.size() < kTokenKeep)
            token.push_back(static_cast<char>(c));
        else
            tooLong = true;
    }
    if (tooLong)
        token.assign(1, '\0');  // matches nothing
    return true;
}

// Up to the end of the line; a CR ends it too, so that a file with CR line
// ends loses no more than the rest of that line.
void skipLine(Input& in)
{
    for (int c = in.peek(); c != Input::kEnd && c != '\n' && c != '\r'; c = in.peek())
        in.get();
}

// An optional sign and decimal digits after any white space, taken modulo
// 65536 (a minus sign gives the two's complement). Anything else consumes
// nothing and leaves `number` as it was.
bool parseNumber(Input& in, std::uint16_t& number)
{
    skipBlanks(in);
    const int first = in.peek();
    bool negative = false;
    if (first == '-' || first == '+') {
        in.get();
        if (in.peek() < '0' || in.peek() > '9') {
            in.unget(first);
            return false;
        }
        negative = first == '-';
    } else if (first < '0' || first > '9') {
        return false;
    }
    unsigned value = 0;
    while (in.peek() >= '0' && in.peek() <= '9')
        value = (value * 10 + static_cast<unsigned>(in.get() - '0')) & 0xFFFFu;
    number = static_cast<std::uint16_t>(negative ? (0x10000u - value) & 0xFFFFu : value);
    return true;
}

class Reader {
public:
    Reader(Document& doc, Input& in, const IgnReadOptions& options)
        : doc_(doc), image_(doc.image), in_(in), options_(options), page_(doc.activePage)
    {
    }

    IgnReadResult run()
    {
        if (!findKey())
            return result_;
        std::string token;
        while (readToken(in_, token)) {
            // The information lines are for people: nothing on them is read,
            // even a firmware name that happens to be a keyword.
            if (token == "HEX" || token == "EXE") {
                skipLine(in_);
                continue;
            }
            // Everything after the memo keyword is memo text, never sections.
            if (token == ign::kMemoKeyword) {
                if (!options_.restrictToPage || page_ == 0)
                    readMemo();
                break;
            }
            const ign::Section* section = ign::findSection(token);
            if (section && belongsToLoad(*section))
                readSection(*section);
        }
        return result_;
    }

private:
    void notify(int entry)
    {
        result_.notices.push_back(entry);
        if (options_.notify)
            options_.notify(entry);
    }

    bool findKey()
    {
        std::string token;
        while (readToken(in_, token)) {
            if (token != ign::kKeyword)
                continue;
            parseNumber(in_, number_);
            if (number_ == ign::kFormatVersion) {
                result_.version = number_;
                return true;
            }
            if (ign::isOlderAcceptedVersion(number_)) {
                notify(kMsgOlderIgnFile);
                result_.version = number_;
                return true;
            }
            notify(kMsgUnmatchedIgnFile);
        }
        // A file without any key (not a parameter file at all) would
        // otherwise be refused without a word.
        if (result_.notices.empty())
            notify(kMsgUnmatchedIgnFile);
        return false;
    }

    bool belongsToLoad(const ign::Section& section) const
    {
        if (result_.version < section.minVersion)
            return false;
        if (!options_.restrictToPage)
            return true;
        if (section.page == ign::kNoPage || section.page != page_)
            return false;
        return !section.uncoupledOnly || image_.byte(off::JetCouplingMode) != 1;
    }

    void readSection(const ign::Section& section)
    {
        for (const auto& item : section.items) {
            if (item.kind != ign::ItemKind::Values)
                continue;
            if (item.rule == ign::Rule::TuningByTls && result_.version < 81)
                continue;
            const int factor = ign::effectiveFactor(item, image_.bytes(), result_.version);
            for (int i = 0; i < item.count; ++i) {
                parseNumber(in_, number_);
                if (item.rule == ign::Rule::KeptInPageLoad && options_.restrictToPage)
                    continue;
                store(item, i, factor);
                if (item.rule == ign::Rule::LambdaType && options_.lambdaTypeLoaded)
                    options_.lambdaTypeLoaded(image_.byte(off::LambdaType));
            }
        }
        if (section.page == ign::kNoPage) {
            // "BIKE": the file starts from that bike's defaults; every later
            // section overwrites its part of them.
            ApplyBikeDefaults(doc_, kWholeImage);
        }
    }

    void store(const ign::Item& item, int index, int factor)
    {
        const int at = item.offset + index * item.elementSize();
        if (item.word) {
            image_.setWord(at, number_);
        } else {
            const int value = (static_cast<int>(number_) - item.addend) / factor;
            image_.setByte(at, static_cast<std::uint8_t>(value & 0xFF));
        }
    }

    // The rest of the file into the memo area: line feeds become the zero
    // terminators of the lines, a CR before a line feed is dropped. Text
    // beyond the area is ignored; the last byte of the area stays zero.
    void readMemo()
    {
        skipBlanks(in_);
        auto bytes = image_.bytes();
        for (int i = off::MemoText; i < kImageSize; ++i)
            bytes[static_cast<std::size_t>(i)] = 0;
        int at = off::MemoText;
        const int end = kImageSize - 1;
        for (int c = in_.get(); c != Input::kEnd && at < end; c = in_.get()) {
            if (c == '\r' && in_.peek() == '\n')
                continue;
            bytes[static_cast<std::size_t>(at++)] = c == '\n' ? 0 : static_cast<std::uint8_t>(c);
        }
        bytes[static_cast<std::size_t>(end)] = 0;
    }

    Document& doc_;
    ParameterImage& image_;
    Input& in_;
    const IgnReadOptions& options_;
    const int page_;
    std::uint16_t number_ = 0;
    IgnReadResult result_;
};

}  // namespace

IgnReadResult ReadParameterFile(Document& doc, ign::Input& input, const IgnReadOptions& options)
{
    return Reader(doc, input, options).run();
}

IgnReadResult ReadParameterFile(Document& doc, std::string_view text, const IgnReadOptions& options)
{
    ign::Input input(text);
    return ReadParameterFile(doc, input, options);
}

IgnLoadResult loadParameterFile(Document& doc, const std::string& path, const IgnReadOptions& options)
{
    IgnLoadResult result;
    const QString name = QString::fromStdString(path);
    // Only a plain file has an end: a device or a pipe picked by mistake
    // would keep the reader scanning (or waiting) for ever.
    if (!QFileInfo(name).isFile())
        return result;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        return result;
    ign::Input input([&file](char* data, std::size_t n) {
        return static_cast<long long>(file.read(data, static_cast<qint64>(n)));
    });
    // Read into a copy so that a file that breaks off with a read error
    // leaves the document as it was.
    Document loaded = doc;
    result.read = ReadParameterFile(loaded, input, options);
    if (input.readFailed())
        return result;
    result.opened = true;
    if (result.read.version != 0)
        doc = std::move(loaded);
    return result;
}

}  // namespace kestrin

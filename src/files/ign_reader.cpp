#include "files/ign_reader.h"

#include "files/ign_format.h"
#include "model/bike_defaults.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <optional>

namespace kestrin {

namespace {

using ign::Input;
using ign::parseNumber;
using ign::readToken;
using ign::skipBlanks;
using ign::skipLine;

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
    // Read into a copy so that a file that breaks off with a read error
    // leaves the document as it was.
    std::optional<Document> loaded;
    result.opened = ign::readPlainFile(path, [&](ign::Input& input) {
        loaded.emplace(doc);
        result.read = ReadParameterFile(*loaded, input, options);
    });
    if (result.opened && result.read.version != 0)
        doc.takeParametersFrom(std::move(*loaded));
    return result;
}

}  // namespace kestrin

#include "files/service_old_maps.h"

#include "files/ign_format.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace kestrin {

namespace {

using ign::Input;

// Below this key number a file is too old even for this reader.
constexpr int kOldestKey = 35;
// The IAP load axis such files were made with, in kPa.
constexpr std::uint16_t kOldIapAxis[10] = {30, 50, 60, 70, 75, 80, 85, 90, 95, 100};

// The token and number scanning is the parameter file reader's: white space
// as scanf sees it, a number taken modulo 65536, and a word where a number is
// due consumes nothing and leaves the last number.
using ign::parseNumber;
using ign::readToken;

// What a keyword of the old format does.
enum class Action {
    Section,       // read as the parameter file reader reads the section
    AdvanceAxis,   // 15 numbers / 100 into the advance axis
    AdvanceCells,  // 150 numbers into the advance map
    CoupledAxis,   // 15 numbers / 100 into two injection axes
    PercentMap,    // 150 numbers modulo 256 into percent arrays
};

struct OldKeyword {
    const char* keyword;
    int page;
    bool uncoupledOnly;  // page load only while JetCouplingMode is not 1
    Action action;
    int axis1 = 0, axis2 = -1;       // CoupledAxis: image offsets of the axes
    int percent1 = -1, percent2 = -1;  // PercentMap: injection indices
    bool startsConversion = false;
    bool cancelsConversion = false;
};

constexpr OldKeyword kKeywords[] = {
    {"RPM_IGN", 1, false, Action::AdvanceAxis},
    {"RPM_ADV", 1, false, Action::AdvanceAxis},
    {"IGN", 1, false, Action::AdvanceCells},
    {"ADVANCE", 1, false, Action::AdvanceCells},
    {"ADVANCE_MISC", 1, false, Action::Section},
    {"RPM_JET_14A", 2, false, Action::CoupledAxis, off::RpmJet1A, off::RpmJet4A},
    {"JET_14A", 2, false, Action::PercentMap, 0, -1, 0, 3, true},
    {"RPM_JET_23A", 3, true, Action::CoupledAxis, off::RpmJet2A, off::RpmJet3A},
    {"JET_23A", 3, true, Action::PercentMap, 0, -1, 1, 2, true},
    {"RPM_JET_B", 6, false, Action::Section},
    {"JET_B", 6, false, Action::Section},
    {"RPM_JET_IAP", 7, false, Action::CoupledAxis, off::RpmIap, -1},
    {"JET_IAP", 7, false, Action::PercentMap, 0, -1, 4, -1},
    {"JET1_MISC", 2, false, Action::Section},
    {"RPM_JET_1A", 2, false, Action::Section},
    {"JET_1A", 2, false, Action::Section, 0, -1, -1, -1, false, true},
    {"RPM_JET_2A", 3, true, Action::Section},
    {"JET_2A", 3, true, Action::Section, 0, -1, -1, -1, false, true},
    {"RPM_JET_3A", 4, true, Action::Section, 0, -1, -1, -1, false, true},
    {"JET_3A", 4, true, Action::Section, 0, -1, -1, -1, false, true},
    {"RPM_JET_4A", 5, true, Action::Section},
    {"JET_4A", 5, true, Action::Section, 0, -1, -1, -1, false, true},
    {"IAP_MISC", 7, false, Action::Section},
    {"IAP_IAP", 7, false, Action::Section},
    {"RPM_IAP", 7, false, Action::Section},
    {"IAP", 7, false, Action::Section},
    {"POSITION_A", 8, false, Action::Section},
    {"POSITION_B", 8, false, Action::Section},
};

const OldKeyword* findKeyword(std::string_view token)
{
    for (const OldKeyword& k : kKeywords) {
        if (token == k.keyword)
            return &k;
    }
    return nullptr;
}

class OldReader {
public:
    OldReader(Document& doc, Input& in, bool restrictToPage)
        : doc_(doc), image_(doc.image), in_(in), restrict_(restrictToPage)
    {
    }

    OldMapsReadResult run()
    {
        presetOldValues();
        bool pending = true;
        std::string token;
        while (readToken(in_, token)) {
            if (token == ign::kKeyword) {
                parseNumber(in_, number_);
                result_.keyVersion = number_;
                if (number_ < kOldestKey) {
                    result_.stoppedAtKey = true;
                    return result_;
                }
                continue;
            }
            // Information lines are for people, and the memo is free text
            // that may hold any word: neither is read for sections.
            if (token == "HEX" || token == "EXE") {
                ign::skipLine(in_);
                continue;
            }
            if (token == ign::kMemoKeyword)
                break;
            const OldKeyword* keyword = findKeyword(token);
            if (!keyword || !belongsToLoad(*keyword))
                continue;
            read(*keyword);
            if (keyword->startsConversion)
                pending = true;
            if (keyword->cancelsConversion)
                pending = false;
        }
        if (pending) {
            convertPercentMaps();
            result_.converted = true;
        }
        return result_;
    }

private:
    void presetOldValues()
    {
        for (int i = 0; i < 4; ++i) {
            image_.setByte(off::AdvCylCorr + i, 100);
            image_.setByte(off::IapCylCorr + i, 100);
        }
        for (int i = 0; i < 10; ++i)
            image_.setWord(off::IapAxis + 2 * i, kOldIapAxis[i]);
    }

    bool belongsToLoad(const OldKeyword& k) const
    {
        if (!restrict_)
            return true;
        if (k.page != doc_.activePage)
            return false;
        return !k.uncoupledOnly || image_.byte(off::JetCouplingMode) != 1;
    }

    void read(const OldKeyword& k)
    {
        switch (k.action) {
        case Action::Section:
            if (const ign::Section* section = ign::findSection(k.keyword))
                readSection(*section);
            break;
        case Action::AdvanceAxis:
            for (int i = 0; i < kMapColumns; ++i)
                storeByte(off::RpmAdvance + i, nextNumber() / 100);
            break;
        case Action::AdvanceCells:
            for (int i = 0; i < kMapCells; ++i)
                storeByte(off::MapAdvance + i, nextNumber());
            break;
        case Action::CoupledAxis:
            for (int i = 0; i < kMapColumns; ++i) {
                const int value = nextNumber() / 100;
                storeByte(k.axis1 + i, value);
                if (k.axis2 >= 0)
                    storeByte(k.axis2 + i, value);
            }
            break;
        case Action::PercentMap:
            for (int i = 0; i < kMapCells; ++i) {
                const auto value = static_cast<std::uint16_t>(nextNumber() & 0xFF);
                for (int index : {k.percent1, k.percent2}) {
                    if (index >= 0)
                        doc_.derived.percent[static_cast<std::size_t>(index)][static_cast<std::size_t>(i)] = value;
                }
            }
            break;
        }
    }

    // A section of the current format, read as the parameter file reader
    // reads it; JET1_MISC keeps its coupling mode here in every load.
    void readSection(const ign::Section& section)
    {
        for (const ign::Item& item : section.items) {
            if (item.kind != ign::ItemKind::Values)
                continue;
            const int factor = ign::effectiveFactor(item, image_.bytes(), ign::kFormatVersion);
            for (int i = 0; i < item.count; ++i) {
                const int number = nextNumber();
                const int at = item.offset + i * item.elementSize();
                if (item.word)
                    image_.setWord(at, static_cast<std::uint16_t>(number));
                else
                    storeByte(at, (number - item.addend) / factor);
            }
        }
    }

    int nextNumber()
    {
        parseNumber(in_, number_);
        return number_;
    }

    void storeByte(int offset, int value) { image_.setByte(offset, static_cast<std::uint8_t>(value & 0xFF)); }

    // The injection maps from the percent values just read and the base maps
    // of the axes now in the image.
    void convertPercentMaps()
    {
        ComputeBaseMaps(doc_);
        for (int m = 0; m < 5; ++m) {
            const MapDescriptor& map = injectionMap(m);
            const auto& percent = doc_.derived.percent[static_cast<std::size_t>(m)];
            const auto& base = doc_.derived.baseMaps[static_cast<std::size_t>(m)];
            for (int i = 0; i < kMapCells; ++i) {
                const auto at = static_cast<std::size_t>(i);
                const std::uint32_t cell = (std::uint32_t{percent[at]} * base[at] + 50) / 100;
                writeCell(image_, map, i / kMapColumns, i % kMapColumns,
                          static_cast<int>(std::min<std::uint32_t>(cell, 65535)));
            }
        }
    }

    Document& doc_;
    ParameterImage& image_;
    Input& in_;
    const bool restrict_;
    std::uint16_t number_ = 0;
    OldMapsReadResult result_;
};

}  // namespace

OldMapsReadResult ReadOldMapsFile(Document& doc, ign::Input& input, bool restrictToPage)
{
    return OldReader(doc, input, restrictToPage).run();
}

OldMapsReadResult ReadOldMapsFile(Document& doc, std::string_view text, bool restrictToPage)
{
    ign::Input input(text);
    return ReadOldMapsFile(doc, input, restrictToPage);
}

bool OpenOldMaps(Document& doc, const std::string& path, bool restrictToPage, const FileStepHooks& hooks)
{
    // Read into a copy so that a file that breaks off with a read error
    // leaves the document as it was.
    std::optional<Document> loaded;
    const bool read = ign::readPlainFile(path, [&](ign::Input& input) {
        loaded.emplace(doc);
        ReadOldMapsFile(*loaded, input, restrictToPage);
    });
    if (!read)
        return false;
    doc.takeParametersFrom(std::move(*loaded));
    RunAfterLoadSteps(doc, hooks);
    return true;
}

}  // namespace kestrin

#pragma once
// The layout of a parameter file (.ign) as data: every section with its
// keyword, the padding after the keyword, the image fields it carries in
// file order, how each value is written and the line breaks between them.
// The writer walks this table to produce the text and the reader walks the
// same table to parse it back, so the two cannot drift apart.

#include <cstdint>
#include <span>
#include <string_view>

namespace kestrin::ign {

inline constexpr int kFormatVersion = 82;
inline constexpr const char* kKeyword = "VALDORIX_KEY";
inline constexpr const char* kMemoKeyword = "MEMO";
// A continuation break lines the next values up under the first value.
inline constexpr int kValueColumn = 13;

// How one value is written.
enum class Format : std::uint8_t {
    U,   // "%5u "
    D,   // "%5d "
    I,   // "%5i " of the byte taken as signed 8 bit
    F5,  // flag "    1" / "    0"
    F6,  // flag "    1 " / "    0 "
    F7,  // flag "     1 " / "     0 "
};

enum class ItemKind : std::uint8_t {
    Values,    // `count` values from `offset` on
    Continue,  // line break followed by 13 spaces
    Blank,     // bare line break
};

// Rules that make one run of values depend on the image or the file.
enum class Rule : std::uint8_t {
    None,
    ServoInScale,    // the factor is 1 when ServoInPercent is set, else 20
    ServoExScale,    // the same with ServoExPercent
    ClutchTime,      // files before version 70 hold these values ×10, later ×5
    TuningByTls,     // present only in files of version 81 and later
    KeptInPageLoad,  // JetCouplingMode: parsed but not stored when loading one page
    LambdaType,      // the window redraws its lambda mode selection once it is stored
};

struct Item {
    ItemKind kind = ItemKind::Values;
    bool word = false;  // 16-bit little-endian elements instead of bytes
    int offset = 0;
    int count = 0;
    Format format = Format::U;
    int factor = 1;  // written value = stored × factor + addend
    int addend = 0;
    bool map = false;  // a continuation break after every 15th value
    Rule rule = Rule::None;

    int elementSize() const { return word ? 2 : 1; }
};

inline constexpr int kNoPage = -1;

struct Section {
    const char* keyword;
    int padding;     // spaces written after the keyword
    int page;        // page whose page-restricted load reads it; kNoPage: only full loads
    int minVersion;  // oldest file version that carries the section
    bool uncoupledOnly;  // page load only while JetCouplingMode is not 1 (Coupled)
    std::span<const Item> items;
};

// Sections 2 to 61 of the file in writer order (the key line, the
// information lines and the memo are handled by writer and reader).
std::span<const Section> sections();
const Section* findSection(std::string_view keyword);

// The older file versions the reader accepts after a notice.
bool isOlderAcceptedVersion(int version);

// The factor of a run of values as it applies while writing or reading.
int effectiveFactor(const Item& item, std::span<const std::uint8_t> image, int fileVersion);

}  // namespace kestrin::ign

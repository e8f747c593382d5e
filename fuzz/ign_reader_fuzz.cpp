// libFuzzer target for the parameter file reader. The first byte of the
// input chooses the kind of load (whole file or one page); the rest is the
// file. A whole-file load must survive being written and read back: every
// byte the format carries comes back (flags as 0/1, the memo up to the
// blanks before its first character, which the format does not keep).

#include "files/file_steps.h"
#include "files/ign_format.h"
#include "files/ign_input.h"
#include "files/ign_memo.h"
#include "files/ign_reader.h"
#include "files/ign_writer.h"
#include "ign_test_support.h"
#include "model/document.h"
#include "model/field_offsets.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using namespace kestrin;

namespace {

std::string memoText(const ParameterImage& image)
{
    std::string text;
    for (const auto& line : memoLines(image))
        text += line + '\n';
    std::size_t first = 0;
    while (first < text.size() && ign::isBlank(static_cast<unsigned char>(text[first])))
        ++first;
    text.erase(0, first);
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

void check(bool ok)
{
    if (!ok)
        std::abort();
}

const IgnInfoTexts kInfo{"", "", "", "Jan  1 2007", "00:00:00"};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size == 0)
        return 0;
    const std::uint8_t mode = data[0];
    const std::string_view text(reinterpret_cast<const char*>(data + 1), size - 1);

    // Documents are reused: only their images matter here, and copying a
    // whole document (with its undo ring) would dominate each run.
    static Document start = [] {
        Document d;
        SetStartupImage(d);
        return d;
    }();
    static Document doc;
    static Document again;
    doc.image = start.image;
    IgnReadOptions options;
    options.restrictToPage = (mode & 0x80) != 0;
    doc.activePage = mode % 19;
    doc.image.setByte(off::JetCouplingMode, static_cast<std::uint8_t>((mode >> 5) & 3));
    const IgnReadResult result = ReadParameterFile(doc, text, options);
    if (result.version == 0) {
        return 0;
    }
    check(doc.image.byte(kImageSize - 1) == 0 || text.find("MEMO") == std::string_view::npos ||
          options.restrictToPage);
    if (options.restrictToPage)
        return 0;

    const std::string written = WriteParameterFile(doc.image, kInfo);
    again.image = start.image;
    check(ReadParameterFile(again, written).version == ign::kFormatVersion);
    static const auto carried = kestrin::testing::carriedBytes();
    for (const auto& byte : carried) {
        const int expected = byte.flag ? doc.image.byte(byte.offset) != 0 : doc.image.byte(byte.offset);
        check(again.image.byte(byte.offset) == expected);
    }
    check(memoText(again.image) == memoText(doc.image));
    return 0;
}

#include "files/ign_memo.h"

#include "model/field_offsets.h"

namespace kestrin {

std::vector<std::string> memoLines(const ParameterImage& image)
{
    const auto bytes = image.bytes();
    int last = kImageSize - 1;
    while (last >= off::MemoText && bytes[static_cast<std::size_t>(last)] == 0)
        --last;
    std::vector<std::string> lines;
    int at = off::MemoText;
    while (at <= last) {
        std::string line;
        while (at < kImageSize && bytes[static_cast<std::size_t>(at)] != 0)
            line.push_back(static_cast<char>(bytes[static_cast<std::size_t>(at++)]));
        lines.push_back(std::move(line));
        ++at;  // the terminator
    }
    return lines;
}

bool packMemo(ParameterImage& image, const std::vector<std::string>& lines)
{
    auto bytes = image.bytes();
    for (int i = off::MemoText; i < kImageSize; ++i)
        bytes[static_cast<std::size_t>(i)] = 0;
    // Text goes to MemoText .. end - 2; the last byte of the area is zero and
    // so terminates a line that runs up to it.
    const int end = kImageSize - 1;
    int at = off::MemoText;
    std::size_t needed = 0;
    for (const auto& line : lines) {
        needed += line.size() + 1;
        for (char c : line)
            if (at < end)
                bytes[static_cast<std::size_t>(at++)] = static_cast<std::uint8_t>(c);
        if (at < end)
            ++at;  // the terminator, already zero
    }
    return needed <= static_cast<std::size_t>(kMemoAreaSize);
}

}  // namespace kestrin

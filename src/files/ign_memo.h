#pragma once
// The memo of the Bike page as it lies in the image: its lines packed from
// MemoText on, each followed by a zero byte, the rest of the area zero and
// the last byte of the area always zero. Lines are 8-bit text and are kept
// byte for byte; ign_codepage.h converts them for display.

#include "model/image.h"

#include <string>
#include <vector>

namespace kestrin {

inline constexpr int kMemoAreaSize = 150;            // MemoText .. end of the image
inline constexpr int kMemoCapacity = kMemoAreaSize - 1;  // bytes of lines and terminators

// The memo lines: the zero-terminated texts from MemoText up to the last
// non-zero byte of the area (so trailing empty lines are not kept).
std::vector<std::string> memoLines(const ParameterImage& image);

// Packs `lines` into the memo area. Text that does not fit into the 149
// bytes is cut off; nothing is written past the end of the image. Returns
// false when something was cut.
bool packMemo(ParameterImage& image, const std::vector<std::string>& lines);

}  // namespace kestrin

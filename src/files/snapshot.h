#pragma once
// The image snapshot: the whole parameter image and the map editor's
// per-page "All" flags as plain numbers, written at close and read at the
// next start so that the program resumes with the set it had.
//
// Layout: the 2850 image bytes, each as "%5u " (right-aligned in five
// characters and a blank), a line break after every 10th value and one more
// after every 100th; then the 19 flags in the same number format on the last
// line, without a final line break. Line breaks are CR LF.

#include "model/fields.h"
#include "model/image.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace kestrin {

using PageFlags = std::array<std::uint8_t, kPageCount>;

std::string snapshotText(const ParameterImage& image, const PageFlags& allFlags);

struct SnapshotRead {
    int imageBytes = 0;  // image bytes read, from offset 0 on
    int flags = 0;       // flags read, from page 0 on
};

// Reads numbers in order into image bytes 0, 1, ... and then into the flags,
// each stored as its low 8 bits. Reading stops at the end of the text or at
// the first word that is not an unsigned number; what was not reached keeps
// its value.
SnapshotRead readSnapshotText(std::string_view text, ParameterImage& image, PageFlags& allFlags);

// Writes the snapshot file atomically (creating its folder); false when it
// could not be written, the old file then being unchanged.
bool saveSnapshotFile(const std::string& path, const ParameterImage& image, const PageFlags& allFlags);

// False when the file does not exist or cannot be read; nothing changes then.
bool loadSnapshotFile(const std::string& path, ParameterImage& image, PageFlags& allFlags);

}  // namespace kestrin

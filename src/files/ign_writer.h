#pragma once
// The parameter file writer: the image as .ign text, byte for byte as the
// control unit's tools have always written it (CR LF line ends on every
// platform, so a file is the same wherever it was written).

#include "model/image.h"

#include <string>

namespace kestrin {

class Document;
class MessageTable;

// The texts of the information lines: the firmware identification shown on
// the Bike page (HEX line) and the build stamp of this program (EXE line).
struct IgnInfoTexts {
    std::string firmwareDate;
    std::string firmwareTime;
    std::string firmwareName;
    std::string buildDate;  // "Mmm dd yyyy"
    std::string buildTime;  // "hh:mm:ss"
};

// The whole file text. No value is tested or clamped on the way out; the
// caller has run the before-save steps (file_steps.h).
std::string WriteParameterFile(const ParameterImage& image, const IgnInfoTexts& info);

// The information texts for `doc`: its firmware identification and the
// build stamp of this program.
IgnInfoTexts ignInfoTexts(const Document& doc);

// Writes the file for `doc` to `path` atomically. On failure the previous
// file is intact, `error` (when given) receives the message of the current
// language ("Open file error!") and false is returned.
bool saveParameterFile(const Document& doc, const std::string& path, const MessageTable& messages,
                       std::string* error = nullptr);

}  // namespace kestrin

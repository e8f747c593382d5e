#pragma once
// The parameter file reader: .ign text back into the image, for the whole
// set or only for the sections of the active page, tolerant of older format
// versions, hand-edited layout, short or missing sections and any bytes at
// all (the text comes from outside and is never trusted).

#include "files/ign_input.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace kestrin {

class Document;
class MessageTable;

// Message-table entries the reader shows.
inline constexpr int kMsgOlderIgnFile = 27;      // "Older version of *.ign file!" ...
inline constexpr int kMsgUnmatchedIgnFile = 28;  // "Unmatched version of *.ign file!"
inline constexpr int kMsgOpenFileError = 24;     // "Open file error!"

struct IgnReadOptions {
    // Load only the sections of doc.activePage (no bike defaults then).
    bool restrictToPage = false;
    // Called with a message-table entry (27 or 28) at the moment the notice
    // is due: before any section has been read. 28 comes once for every key
    // with a version that is not accepted, and once when the file has no
    // key at all. May be empty.
    std::function<void(int entry)> notify;
    // Called as soon as "SENSOR_LAMBDA" has stored LambdaType, so that the
    // window can set and redraw its lambda mode selection. May be empty.
    std::function<void(int lambdaType)> lambdaTypeLoaded;
};

struct IgnReadResult {
    int version = 0;          // 0: no acceptable key, the image is untouched
    std::vector<int> notices;  // the entries notified, in order
};

// Reads the file into doc.image (and, for a "BIKE" section of a full load,
// applies that bike's defaults first). The caller runs the after-load steps
// only when the returned version is not 0.
IgnReadResult ReadParameterFile(Document& doc, ign::Input& input, const IgnReadOptions& options = {});
IgnReadResult ReadParameterFile(Document& doc, std::string_view text, const IgnReadOptions& options = {});

// Opens and reads the file at `path`. The document changes only when the
// whole file could be read and carries an acceptable key. `error` receives
// "Open file error!" of the current language when the file cannot be read.
struct IgnLoadResult {
    bool opened = false;  // false: the file could not be opened or read
    IgnReadResult read;
    bool loaded() const { return opened && read.version != 0; }
};
IgnLoadResult loadParameterFile(Document& doc, const std::string& path, const IgnReadOptions& options);

}  // namespace kestrin

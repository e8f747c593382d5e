#pragma once
// "Open old maps": parameter files of the old format, whose injection maps
// were kept in percent of the base maps (one map for injectors 1 and 4, one
// for 2 and 3) and whose advance sections had other names. Only the map
// sections and a few of their companions are taken; everything else in such
// a file is left alone, and no bike defaults are applied.

#include "files/file_steps.h"
#include "files/ign_input.h"

#include <string>
#include <string_view>

namespace kestrin {

class Document;

struct OldMapsReadResult {
    int keyVersion = -1;     // the number after "VALDORIX_KEY", -1 when the file has none
    bool stoppedAtKey = false;  // a key below 35: nothing after it was read
    bool converted = false;     // the injection maps were recomputed from percent
};

// Reads an old-format file into doc. In a page-restricted load only the
// sections of doc.activePage are taken.
OldMapsReadResult ReadOldMapsFile(Document& doc, ign::Input& input, bool restrictToPage);
OldMapsReadResult ReadOldMapsFile(Document& doc, std::string_view text, bool restrictToPage);

// The core of the command: reads the file at `path` and runs the after-load
// steps. The document changes only when the whole file could be read; false
// when it could not (the window then shows "Open file error!"). The window
// sets the file name, the caption and the remembered file afterwards.
bool OpenOldMaps(Document& doc, const std::string& path, bool restrictToPage, const FileStepHooks& hooks = {});

}  // namespace kestrin

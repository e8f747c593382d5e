#pragma once
// "Save All New": the default parameter set of every bike written to its own
// file in new_ign, named after the bike's entry in the bike list, for the
// people who prepare and check the default sets.

#include "files/file_steps.h"

#include <string>
#include <vector>

namespace kestrin {

class Document;

struct SaveAllNewResult {
    std::string folder;               // the new_ign folder
    bool folderReady = false;         // false: the folder could not be created, nothing written
    int written = 0;                  // files written
    std::vector<std::string> failed;  // files that could not be written ("Open file error!" each)
    bool ok() const { return folderReady && failed.empty(); }
};

// Writes base/new_ign/<bike item text>.ign for bike codes 0..60, each file
// written atomically. The document is used as the working set while the
// command runs (the hooks let the window show each bike) and is given back
// exactly as it was, undo history included.
SaveAllNewResult SaveAllNew(Document& doc, const std::string& base, const FileStepHooks& hooks = {});

}  // namespace kestrin

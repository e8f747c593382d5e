#pragma once
// The steps the file commands run around reading and writing a parameter
// file, as core operations so that the window and the command line run the
// same sequence. The widget parts (collecting controls into the image,
// showing the image on them, committing an undo step) come in as hooks;
// without hooks the steps do exactly what the core does on its own.

#include "model/bike_reference.h"  // kStartupBikeCode

#include <functional>

namespace kestrin {

class Document;

struct FileStepHooks {
    std::function<void()> collectControls;  // all option pages into the image
    std::function<void()> showControls;     // the image onto the controls
    std::function<void()> commitChange;     // undo step, pending blocks, program on change
};

// Consistency rules, reference selection, base maps and the percent arrays
// read back from the image.
void RecomputeDerivedTables(Document& doc);

// What showing the image does to the image itself: in jet coupling mode 2
// (1=2=3=4) the Inj-1A axis and cells are copied to Inj-2A .. Inj-4A and
// their percent arrays follow.
void ShowImage(Document& doc, const FileStepHooks& hooks = {});

// After a file or the defaults changed the image: derived tables, show
// twice, commit.
void RunAfterLoadSteps(Document& doc, const FileStepHooks& hooks = {});

// Before a file is written: collect, derived tables, show, so that the file
// holds what the user sees after the consistency rules.
void RunBeforeSaveSteps(Document& doc, const FileStepHooks& hooks = {});

// The image the program starts from: all zero, bike 11 and its defaults.
void SetStartupImage(Document& doc);

// The default set of a bike exactly as "Save All New" writes it: all bytes
// cleared, BikeCode set, the whole defaults applied, shown, then the
// before-save steps.
void PrepareDefaultSet(Document& doc, int bikeCode, const FileStepHooks& hooks = {});

}  // namespace kestrin

#pragma once
// The one core object: the parameter image and everything the editor keeps
// beside it. The window, the command line and the tests each hold one and
// pass it to the operations of the model, files and link subsystems; there
// are no globals.

#include "model/bike_reference.h"
#include "model/derived_tables.h"
#include "model/image.h"
#include "model/undo_ring.h"

#include <array>

namespace kestrin {

// Settings that live outside the image but are kept in range by the same
// run of the consistency rules.
struct OutsideSettings {
    int language = 0;       // 0 English, 1 German, 2 French, 3 Czech
    int portIndex = 0;      // selected serial port menu entry
    int portScanIndex = 0;  // next port tried by "Com Auto"
};

class Document {
public:
    ParameterImage image;
    Block identification{};  // block 0 as last reported by the unit; zeros until read

    BikeTables bike;       // per-bike tables selected from BikeCode
    DerivedState derived;  // axis memory, reference tables, base maps, percent arrays
    UndoRing undo;         // snapshot ring and pending-block flags

    OutsideSettings outside;
    bool chokeFlag = false;  // set by the bike defaults; relaxes the idle step rule
    int activePage = 0;      // page index 0..18 of the active tab sheet

    // Takes the parameters of a document that a file was read into, keeping
    // what belongs to the unit and the history: the identification block and
    // the undo ring with its pending-block flags. Ticks go on while a
    // reader's message box is open, so the link may have updated those here
    // in the meantime.
    void takeParametersFrom(Document&& loaded)
    {
        loaded.identification = identification;
        loaded.undo = std::move(undo);
        *this = std::move(loaded);
    }
};

}  // namespace kestrin

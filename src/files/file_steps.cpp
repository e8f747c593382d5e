#include "files/file_steps.h"

#include "model/bike_defaults.h"
#include "model/derived_tables.h"
#include "model/document.h"
#include "model/field_offsets.h"
#include "model/fields.h"

namespace kestrin {

namespace {

void run(const std::function<void()>& hook)
{
    if (hook)
        hook();
}

void copyCouplingSource(ParameterImage& image)
{
    const MapDescriptor& source = injectionMap(0);
    for (int target = 1; target <= 3; ++target) {
        const MapDescriptor& map = injectionMap(target);
        for (int i = 0; i < kMapColumns; ++i)
            image.setByte(map.axisOffset + i, image.byte(source.axisOffset + i));
        for (int row = 0; row < kMapRows; ++row)
            for (int col = 0; col < kMapColumns; ++col)
                writeCell(image, map, row, col, readCell(image, source, row, col));
    }
}

}  // namespace

void RecomputeDerivedTables(Document& doc)
{
    ApplyConsistencyRules(doc);
    SelectReferenceTables(doc);
    ComputeBaseMaps(doc);
    ReadPercentArrays(doc);
}

void ShowImage(Document& doc, const FileStepHooks& hooks)
{
    if (doc.image.byte(off::JetCouplingMode) == 2) {
        copyCouplingSource(doc.image);
        SelectReferenceTables(doc);
        ComputeBaseMaps(doc);
        ReadPercentArrays(doc);
    }
    run(hooks.showControls);
}

void RunAfterLoadSteps(Document& doc, const FileStepHooks& hooks)
{
    RecomputeDerivedTables(doc);
    ShowImage(doc, hooks);
    ShowImage(doc, hooks);
    run(hooks.commitChange);
}

void RunBeforeSaveSteps(Document& doc, const FileStepHooks& hooks)
{
    run(hooks.collectControls);
    RecomputeDerivedTables(doc);
    ShowImage(doc, hooks);
}

void SetStartupImage(Document& doc)
{
    doc.image.clear();
    doc.image.setByte(off::BikeCode, kStartupBikeCode);
    ApplyBikeDefaults(doc, kWholeImage);
}

void PrepareDefaultSet(Document& doc, int bikeCode, const FileStepHooks& hooks)
{
    doc.image.clear();
    doc.image.setByte(off::BikeCode, static_cast<std::uint8_t>(bikeCode));
    ApplyBikeDefaults(doc, kWholeImage);
    ShowImage(doc, hooks);
    RunBeforeSaveSteps(doc, hooks);
}

}  // namespace kestrin

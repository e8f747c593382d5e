#pragma once
// The field table: every named field of the parameter image with its place,
// type, scaled encoding, editing range and the parameter-file section that
// carries it. Files, the option pages and the diff tool all work from this
// table instead of repeating offsets.

#include "model/field_offsets.h"
#include "model/image.h"

#include <optional>
#include <span>
#include <string_view>

namespace kestrin {

enum class FieldType { U8, S8, U16 };

struct FieldInfo {
    const char* name;
    int offset;
    int count;        // elements; an array field holds `count` values back to back
    FieldType type;
    int factor;       // shown value = stored × factor - addend; stored = shown / factor + addend
    int addend;       // +100 for "value + 100", -100 for "percent - 100", -250 for Tps100
    int shownMin;     // editing range of the shown value, when hasRange
    int shownMax;
    bool hasRange;
    const char* section;  // parameter-file section, empty when the field is not written

    int elementSize() const { return type == FieldType::U16 ? 2 : 1; }
    int elementOffset(int index) const { return offset + index * elementSize(); }
    int byteLength() const { return count * elementSize(); }
};

// All scalar fields of offsets 0..464 in offset order.
std::span<const FieldInfo> scalarFields();
const FieldInfo* findField(std::string_view name);
// The field that covers an image offset, if any (reserved bytes have none).
const FieldInfo* fieldAtOffset(int offset);

// Stored element (raw byte, two's-complement byte for S8, or word).
int readStored(const ParameterImage& image, const FieldInfo& field, int index = 0);
void writeStored(ParameterImage& image, const FieldInfo& field, int index, int stored);

// Encoding of shown values into stored bytes: divide (truncating toward
// zero), add the addend, keep the low 8 bits. Words are stored unscaled.
int encodeShown(const FieldInfo& field, int shown);
int decodeStored(const FieldInfo& field, int stored);
int readShown(const ParameterImage& image, const FieldInfo& field, int index = 0);
void writeShown(ParameterImage& image, const FieldInfo& field, int index, int shown);

// The fixed load rows of every map but Inj-IAP, in percent TPS.
inline constexpr int kTpsBreakpoints[10] = {0, 2, 5, 10, 20, 30, 40, 60, 80, 100};
inline constexpr int kMapColumns = 15;
inline constexpr int kMapRows = 10;
inline constexpr int kMapCells = kMapColumns * kMapRows;
inline constexpr int kPageCount = 19;

enum class MapKind { Byte, Injection };

struct MapDescriptor {
    int page;               // page index in the page control
    const char* caption;    // tab caption
    const char* name;       // cells field name, e.g. "MapJet1A"
    const char* axisName;   // RPM axis field name, e.g. "RpmJet1A"
    MapKind kind;
    int axisOffset;
    int cellsOffset;
    const char* section;      // parameter-file section of the cells
    const char* axisSection;  // parameter-file section of the RPM axis
    bool iapLoad;             // load rows are IapAxis instead of the TPS breakpoints
    int injectionIndex;       // 0..4 for the five injection maps, -1 for byte maps

    int cellOffset(int row, int col) const
    {
        return cellsOffset + (row * kMapColumns + col) * (kind == MapKind::Injection ? 2 : 1);
    }
};

// The nine maps in page order (Advance, Inj-1A .. Inj-4A, Inj-B, Inj-IAP,
// Intake Servo, Exhaust Servo).
std::span<const MapDescriptor> mapDescriptors();
const MapDescriptor* mapOfPage(int page);
const MapDescriptor* findMap(std::string_view name);
// The five injection maps in the order Inj-1A, 2A, 3A, 4A, IAP.
const MapDescriptor& injectionMap(int injectionIndex);

int readCell(const ParameterImage& image, const MapDescriptor& map, int row, int col);
void writeCell(ParameterImage& image, const MapDescriptor& map, int row, int col, int value);

// English tab captions by page index ("Bike", "Advance", ... "Monitor").
const char* pageCaption(int page);
std::optional<int> pageOfCaption(std::string_view caption);

}  // namespace kestrin

#include "files/ign_firmware.h"

#include "link/transfer_identification.h"

#include <QString>

#include <algorithm>

namespace kestrin {

namespace {

// The link decodes the unit's bytes for display (Latin-1 into UTF-8); the
// file is 8-bit text, so the bytes go back exactly as the unit sent them.
std::string unitBytes(const std::string& utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())).toLatin1().toStdString();
}

}  // namespace

FirmwareTexts firmwareTexts(const Block& id)
{
    if (std::all_of(id.begin(), id.end(), [](std::uint8_t b) { return b == 0; }))
        return {};
    const IdentificationTexts texts = decodeIdentification(id);
    return {unitBytes(texts.version), unitBytes(texts.date), unitBytes(texts.time)};
}

}  // namespace kestrin

#include "files/ign_firmware.h"

#include "link/transfer_identification.h"

#include <algorithm>

namespace kestrin {

FirmwareTexts firmwareTexts(const Block& id)
{
    if (std::all_of(id.begin(), id.end(), [](std::uint8_t b) { return b == 0; }))
        return {};
    const IdentificationTexts texts = decodeIdentification(id);
    return {texts.version, texts.date, texts.time};
}

}  // namespace kestrin

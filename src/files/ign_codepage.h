#pragma once
// The memo and the firmware texts are 8-bit text in the code page of the
// unit's home market, Windows-1250 (Central European). The core keeps their
// bytes unchanged; these conversions are for showing and editing them.

#include <string>
#include <string_view>

namespace kestrin {

// Windows-1250 bytes to UTF-8. The five bytes the code page leaves
// undefined come out as U+FFFD.
std::string cp1250ToUtf8(std::string_view bytes);

// UTF-8 to Windows-1250 bytes; a character the code page cannot hold
// becomes '?'.
std::string utf8ToCp1250(std::string_view text);

}  // namespace kestrin

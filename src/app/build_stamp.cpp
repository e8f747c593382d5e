#include "app/build_stamp.h"

namespace kestrin {

// The compiler's own stamps have exactly these formats.
std::string buildDate() { return __DATE__; }
std::string buildTime() { return __TIME__; }

std::string buildDateRaw() { return __DATE__; }

}  // namespace kestrin

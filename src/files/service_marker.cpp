#include "files/service_marker.h"

#include <fstream>

namespace kestrin {

bool readServiceMarker(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::string word;
    while (in >> word) {
        if (word == kServiceModeWord)
            return true;
    }
    return false;
}

}  // namespace kestrin

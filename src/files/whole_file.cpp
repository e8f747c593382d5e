#include "files/whole_file.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kestrin {

std::optional<std::string> readWholeFile(const std::string& path)
{
    // A folder opens for reading on some systems and then reads as empty;
    // it is no file, and its callers must learn so.
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad())
        return std::nullopt;
    return std::move(text).str();
}

}  // namespace kestrin

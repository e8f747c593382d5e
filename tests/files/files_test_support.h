#pragma once
// Whole-file reading and writing for the file tests, kept apart from the
// code under test so that a fault there cannot hide itself.

#include <fstream>
#include <sstream>
#include <string>

namespace kestrin::testing {

// The bytes of the file; empty when it cannot be read.
inline std::string readFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void writeFile(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary) << text;
}

}  // namespace kestrin::testing

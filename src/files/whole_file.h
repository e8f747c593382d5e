#pragma once
// A small text file (settings, a snapshot, an exported bike file) read in
// one piece.

#include <optional>
#include <string>

namespace kestrin {

// The bytes of the file at `path`; nothing when it cannot be opened, is a
// folder, or reading it failed.
std::optional<std::string> readWholeFile(const std::string& path);

}  // namespace kestrin

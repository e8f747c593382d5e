#pragma once
// Every file a user may care about is written whole or not at all: the data
// goes to a temporary file beside the target, which replaces the target only
// once everything has been written and flushed. A failed or interrupted write
// leaves the previous file as it was.

#include <string>
#include <string_view>

namespace kestrin {

// Writes `bytes` to `path` atomically. Returns false (and sets `error` to a
// short description, when given) if anything failed; the old file is intact.
bool writeFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

}  // namespace kestrin

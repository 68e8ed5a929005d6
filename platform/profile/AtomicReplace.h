#pragma once

#include <string>
#include <string_view>

namespace profile {

// Replaces the file at `path` with `bytes` through a temporary file in the same directory and a
// rename, so a reader or a crash sees either the old file or the new one, never a mix. The old
// file keeps its permission bits. False (with the old file untouched) when anything fails.
bool AtomicReplace(const std::string& path, std::string_view bytes);

} // namespace profile

#pragma once

#include <string>
#include <string_view>

namespace profile {

// Replaces the file at `path` with `bytes` through a temporary file in the same directory and a
// rename, so a reader or a crash sees either the old file or the new one, never a mix. The new
// file keeps the old one's permission bits, and its owner where the system allows. A file that
// the user may not write, that grants writing to nobody, or that is not a regular file is not
// replaced. A hard link is split: the other names keep the old content. False (with the old
// file untouched) when anything fails.
bool AtomicReplace(const std::string& path, std::string_view bytes);

} // namespace profile

#pragma once

#include <filesystem>

namespace profile {

// The user's documents folder (Windows: Documents; elsewhere the home folder); empty when the
// system cannot name it.
std::filesystem::path DocumentsFolder();
// The folder the running program's file lies in; empty when the system cannot name it.
std::filesystem::path ProgramFolder();

} // namespace profile

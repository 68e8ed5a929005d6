#pragma once

#include <optional>
#include <string>

// Where the program works. Installed, it has its examples in a folder beside it; started in its
// own folder (as the Start menu's shortcut and Explorer start it) it works in the user's
// documents folder's "Velmora" instead, which the first start makes with the examples copied in.
// A portable copy (its files beside it, no examples folder) and a start anywhere else keep the
// current folder. Paths are UTF-8.
namespace workfolder {

inline constexpr const char* kExamples = "examples";
inline constexpr const char* kFolderName = "Velmora";

// The folder to work in instead of current, or none to stay.
std::optional<std::string> InsteadOf(const std::string& current, const std::string& program, const std::string& documents);

// Makes folder and, while it has no Velmora.ini, copies in each example it lacks; a file already
// there is never replaced. False when the folder cannot be made.
bool Prepare(const std::string& folder, const std::string& examples);

} // namespace workfolder

#pragma once

#include <string>
#include <string_view>
#include <vector>

// Folders and the files in them, by UTF-8 paths: what the program needs to set up the folder it
// works in (std::filesystem would double the size of the Windows program).
namespace profile {

// The user's documents folder (Windows: Documents; elsewhere the home folder); empty when the
// system cannot name it.
std::string DocumentsFolder();
// The folder the running program's file lies in; empty when the system cannot name it.
std::string ProgramFolder();
// A name in a folder, joined by the system's separator.
std::string InFolder(std::string_view folder, std::string_view name);

bool Exists(const std::string& path);
bool IsFolder(const std::string& path);
// Makes the folder (its parent must be there); true when it is a folder afterwards.
bool MakeFolder(const std::string& path);
// The names of the plain files in a folder.
std::vector<std::string> FilesIn(const std::string& folder);
// Copies a file to a name nothing has yet; false, and nothing written, when something has.
bool CopyToNew(const std::string& from, const std::string& to);
// Whether two paths name the same folder.
bool SameFolder(const std::string& a, const std::string& b);
bool ChangeDirectory(const std::string& path);

} // namespace profile

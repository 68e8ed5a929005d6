#include "app/WorkingFolder.h"

#include "platform/profile/Folders.h"

namespace workfolder {

std::optional<std::string> InsteadOf(const std::string& current, const std::string& program, const std::string& documents)
{
    if (program.empty() || documents.empty() || !profile::IsFolder(profile::InFolder(program, kExamples))) return std::nullopt;
    if (!profile::SameFolder(current, program)) return std::nullopt;
    return profile::InFolder(documents, kFolderName);
}

bool Prepare(const std::string& folder, const std::string& examples)
{
    if (!profile::MakeFolder(folder)) return false;
    if (profile::Exists(profile::InFolder(folder, "Velmora.ini"))) return true;
    // A name taken already (a user's file of that name) is not copied over.
    for (const std::string& name : profile::FilesIn(examples))
        (void)profile::CopyToNew(profile::InFolder(examples, name), profile::InFolder(folder, name));
    return true;
}

} // namespace workfolder

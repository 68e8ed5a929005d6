#include "app/WorkingFolder.h"

#include <system_error>

namespace workfolder {

namespace fs = std::filesystem;

std::optional<fs::path> InsteadOf(const fs::path& current, const fs::path& program, const fs::path& documents)
{
    std::error_code error;
    if (program.empty() || documents.empty() || !fs::is_directory(program / kExamples, error)) return std::nullopt;
    if (!fs::equivalent(current, program, error)) return std::nullopt;
    return documents / kFolderName;
}

bool Prepare(const fs::path& folder, const fs::path& examples)
{
    std::error_code error;
    fs::create_directories(folder, error);
    if (!fs::is_directory(folder, error)) return false;
    if (fs::exists(folder / "Velmora.ini", error)) return true;
    for (const fs::directory_entry& example : fs::directory_iterator(examples, error)) {
        if (!example.is_regular_file(error)) continue;
        // skip_existing: a user's file of the same name stays as it is.
        fs::copy_file(example.path(), folder / example.path().filename(), fs::copy_options::skip_existing, error);
    }
    return true;
}

} // namespace workfolder

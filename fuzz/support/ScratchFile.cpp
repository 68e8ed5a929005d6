#include "fuzz/support/ScratchFile.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <system_error>

namespace {

std::filesystem::path FolderRoot()
{
    std::error_code error;
    const std::filesystem::path memory = "/dev/shm";
    return std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
}

} // namespace

ScratchFile::ScratchFile(const std::string& name)
{
    std::string pattern = (FolderRoot() / "velmora-fuzz-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot create a scratch folder");
    m_folder = pattern;
    m_path = (std::filesystem::path(m_folder) / name).string();
}

ScratchFile::~ScratchFile()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_folder, ignored);
}

void ScratchFile::Write(std::string_view bytes) const
{
    std::ofstream(m_path, std::ios::binary | std::ios::trunc).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

std::string ScratchFile::Read() const
{
    std::ifstream in(m_path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

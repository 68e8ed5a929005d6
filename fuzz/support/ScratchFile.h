#pragma once

#include <string>
#include <string_view>

// One file in a private folder of its own, rewritten for each input. The folder lies in
// memory (/dev/shm) where there is one, so the profile's write and its syncs cost little.
class ScratchFile {
public:
    explicit ScratchFile(const std::string& name);
    ~ScratchFile();
    ScratchFile(const ScratchFile&) = delete;
    ScratchFile& operator=(const ScratchFile&) = delete;

    const std::string& Path() const { return m_path; }
    void Write(std::string_view bytes) const;
    std::string Read() const;

private:
    std::string m_folder;
    std::string m_path;
};

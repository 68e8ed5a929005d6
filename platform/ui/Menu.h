#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ui {

// The system-menu stand-in: entries that a top-level window appends and that come back to
// it as system commands.
class Menu {
public:
    struct Entry {
        unsigned id = 0; // 0 = separator
        std::string text;
    };

    void AppendSeparator();
    void AppendItem(unsigned id, std::string_view text);
    const std::vector<Entry>& Entries() const { return m_entries; }

private:
    std::vector<Entry> m_entries;
};

} // namespace ui

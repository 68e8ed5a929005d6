#include "platform/ui/Menu.h"

namespace ui {

void Menu::AppendSeparator()
{
    m_entries.push_back(Entry{0, {}});
}

void Menu::AppendItem(unsigned id, std::string_view text)
{
    m_entries.push_back(Entry{id, std::string(text)});
}

} // namespace ui

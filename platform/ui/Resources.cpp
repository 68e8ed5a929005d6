#include "platform/ui/Resources.h"

#include <map>

namespace ui {

namespace {

struct Tables {
    std::map<int, DialogTemplate> dialogs;
    std::map<int, std::string> strings;
    std::map<int, const char* const*> icons;
};

Tables& tables()
{
    static Tables t;
    return t;
}

} // namespace

void Resources::AddDialog(const DialogTemplate& dialogTemplate)
{
    tables().dialogs.insert_or_assign(dialogTemplate.id, dialogTemplate);
}

void Resources::AddString(int id, std::string text)
{
    tables().strings.insert_or_assign(id, std::move(text));
}

void Resources::AddIcon(int id, const char* const* xpm)
{
    tables().icons.insert_or_assign(id, xpm);
}

const DialogTemplate* Resources::FindDialog(int id)
{
    auto found = tables().dialogs.find(id);
    return found == tables().dialogs.end() ? nullptr : &found->second;
}

std::string Resources::LoadString(int id)
{
    auto found = tables().strings.find(id);
    return found == tables().strings.end() ? std::string() : found->second;
}

const char* const* Resources::FindIcon(int id)
{
    auto found = tables().icons.find(id);
    return found == tables().icons.end() ? nullptr : found->second;
}

} // namespace ui

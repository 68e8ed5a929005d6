#pragma once

#include "platform/ui/DialogTemplate.h"

#include <string>

namespace ui {

// The program's resources: dialog templates, strings and icons (XPM text), registered once
// at start by whoever owns them and looked up by id.
class Resources {
public:
    static void AddDialog(const DialogTemplate& dialogTemplate);
    static void AddString(int id, std::string text);
    static void AddIcon(int id, const char* const* xpm);

    static const DialogTemplate* FindDialog(int id);
    // Empty when the id is unknown.
    static std::string LoadString(int id);
    static const char* const* FindIcon(int id);
};

} // namespace ui

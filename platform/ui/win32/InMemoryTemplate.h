#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

struct DialogTemplate;

// The window classes whose windows the program draws: those isOwn answers for by name, and the
// fallback for a class nobody registered.
struct OwnClasses {
    bool (*isOwn)(const std::wstring& name);
    const wchar_t* fallback;
};

// Our dialog template as the system's extended template (DLGTEMPLATEEX and its items) in memory,
// for the dialog manager to build: windowClass names the dialog's class; a control keeps the
// system's class or one of ours it names, and any other becomes a window of the fallback class.
std::vector<uint16_t> InMemoryTemplate(const DialogTemplate& dialogTemplate, const wchar_t* windowClass, const OwnClasses& own);

} // namespace ui

#pragma once

#include <cstdint>
#include <vector>

namespace ui {

struct DialogTemplate;

// Our dialog template as the system's extended template (DLGTEMPLATEEX and its items) in memory,
// for the dialog manager to build: windowClass names the dialog's class; controls of classes
// the system does not know become windows of ownClass, which the program draws.
std::vector<uint16_t> InMemoryTemplate(const DialogTemplate& dialogTemplate, const wchar_t* windowClass, const wchar_t* ownClass);

} // namespace ui

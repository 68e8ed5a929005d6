#pragma once

// Dialog templates the window-layer suites build their dialogs from.

#include "platform/ui/DialogTemplate.h"

namespace uitest {

constexpr int kFormDialog = 9001;  // OK (default), Cancel, an edit, a list box, a static
constexpr int kNoDefault = 9002;   // an edit and a push button, no default button
constexpr int kHostDialog = 9003;  // a tab control and a custom window
constexpr int kChildPage = 9004;   // a child page with an edit and two radio buttons

constexpr int kEdit = 100;
constexpr int kList = 101;
constexpr int kLabel = 102;
constexpr int kButton = 103;
constexpr int kTab = 104;
constexpr int kCustom = 105;
constexpr int kRadio1 = 106;
constexpr int kRadio2 = 107;
constexpr int kClickable = 108;

// Registers the templates once.
void InstallTestTemplates();

} // namespace uitest

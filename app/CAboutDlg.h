#pragma once

#include "platform/ui/Dialog.h"

// The about box: the program's icon, name and version, and OK.
class CAboutDlg : public ui::Dialog {
public:
    CAboutDlg();
};

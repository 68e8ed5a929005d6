#pragma once

#include "platform/ui/Dialog.h"

// The main window: the tab pages on the left, the controller's identity, the trace button
// and the monitor list on the right.
class CVelmoraDlg : public ui::Dialog {
public:
    CVelmoraDlg();
};

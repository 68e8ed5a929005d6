#pragma once

#include "platform/ui/Dialog.h"

// The command console page: one hand-made command frame and its reply. Its grids and the
// sending come with the grid control; for now it holds its place in the tab control.
class CDTCommandDlg : public ui::Dialog {
public:
    CDTCommandDlg();

protected:
    // The page never closes itself, whatever Escape or a cancel button says.
    void OnCancel() override { }
};

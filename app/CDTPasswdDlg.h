#pragma once

#include "platform/ui/Dialog.h"

// The locked page: says the controller is locked by a password and offers nothing else.
class CDTPasswdDlg : public ui::Dialog {
public:
    CDTPasswdDlg();
};

#pragma once

#include "platform/ui/Dialog.h"

// The boost control page: four settings of boost pressure and control duty and the choice
// among them. A form only: nothing goes to the controller.
class CDTBoostDlg : public ui::Dialog {
public:
    CDTBoostDlg();
};

#pragma once

#include "platform/ui/Dialog.h"

// A dialog of template `templateId` whose control `controlId` is the object `control`.
template <class Control, int templateId, int controlId> class DialogHost : public ui::Dialog {
public:
    DialogHost()
        : Dialog(templateId)
    { }
    Control control;

protected:
    void DoDataExchange() override { BindControl(controlId, control); }
};

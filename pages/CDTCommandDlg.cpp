#include "pages/CDTCommandDlg.h"

#include "resources/ResourceIds.h"

CDTCommandDlg::CDTCommandDlg()
    : ui::Dialog(res::IDD_DT_COMMAND)
{ }

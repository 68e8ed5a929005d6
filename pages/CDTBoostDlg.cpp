#include "pages/CDTBoostDlg.h"

#include "resources/ResourceIds.h"

CDTBoostDlg::CDTBoostDlg()
    : ui::Dialog(res::IDD_DT_BOOST)
{ }

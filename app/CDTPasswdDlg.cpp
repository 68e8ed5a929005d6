#include "app/CDTPasswdDlg.h"

#include "resources/ResourceIds.h"

CDTPasswdDlg::CDTPasswdDlg()
    : ui::Dialog(res::IDD_DT_PASSWD)
{ }

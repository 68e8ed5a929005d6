#include "app/CAboutDlg.h"

#include "resources/ResourceIds.h"

CAboutDlg::CAboutDlg()
    : ui::Dialog(res::IDD_ABOUTBOX)
{ }

#include "app/CVelmoraApp.h"

#include "app/CVelmoraDlg.h"

CVelmoraApp theApp;

bool CVelmoraApp::InitInstance()
{
    CVelmoraDlg dlg;
    dlg.DoModal();
    return false;
}

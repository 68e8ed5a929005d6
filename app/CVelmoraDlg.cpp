#include "app/CVelmoraDlg.h"

#include "resources/ResourceIds.h"

CVelmoraDlg::CVelmoraDlg()
    : ui::Dialog(res::IDD_VELMORA_DIALOG)
{
}

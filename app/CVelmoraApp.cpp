#include "app/CVelmoraApp.h"

#include "app/CVelmoraDlg.h"
#include "config/ActiveProfile.h"
#include "resources/ResourceIds.h"

#include "platform/ui/MessageBox.h"

#include <new>

CVelmoraApp theApp;

namespace {
constexpr const char* kBaseFile = "Velmora.ini";
}

bool CVelmoraApp::InitInstance()
{
    SetProfilePath(kBaseFile);
    CVelmoraDlg dlg;
    dlg.DoModal();
    return false;
}

void CVelmoraApp::SetProfilePath(std::string_view name)
{
    try {
        config::TheProfile().SetProfilePath(name);
    } catch (const std::bad_alloc&) {
        ui::MessageBox(nullptr, "No enough memory", res::kAppName);
    }
}

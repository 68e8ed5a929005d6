#include "app/CVelmoraApp.h"

#include "platform/ui/Application.h"
#include "resources/ResourceIds.h"

int main(int argc, char** argv)
{
    ui::Application application(argc, argv);
    res::InstallResources();
    theApp.InitInstance();
    return 0;
}

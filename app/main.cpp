#include "app/CVelmoraApp.h"

#include "platform/ui/Application.h"
#include "resources/ResourceIds.h"
#include "sim/SimulatedPort.h"

int main(int argc, char** argv)
{
    ui::Application application(argc, argv);
    res::InstallResources();
    // The simulated controller is one more port, "sim:", for demonstrations and training.
    sim::RegisterSimulatedPort();
    theApp.InitInstance();
    return 0;
}

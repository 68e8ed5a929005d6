// GUI suites run real widgets on the headless display.

#include "platform/ui/Application.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ui::Application application(argc, argv, ui::Application::Display::Headless);
    return RUN_ALL_TESTS();
}

// GUI suites run real widgets on the headless display.

#include "platform/ui/Application.h"
#include "platform/ui/testing/Input.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ui::testing::CheckRepaintsAfterInput([](std::string_view title) { ADD_FAILURE() << "an input left a change unpainted in " << title; });
    ui::testing::CheckToolkitWarnings([](std::string_view text) { ADD_FAILURE() << "the toolkit warned: " << text; });
    ui::Application application(argc, argv, ui::Application::Display::Headless);
    return RUN_ALL_TESTS();
}

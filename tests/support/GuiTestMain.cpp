// GUI suites run real widgets on the headless display.

#include "platform/ui/Application.h"
#include "platform/ui/testing/Input.h"
#include "platform/ui/testing/TestDisplay.h"

#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    testing::InitGoogleTest(&argc, argv);
    ui::testing::CheckRepaintsAfterInput([](std::string_view title) { ADD_FAILURE() << "an input left a change unpainted in " << title; });
    ui::testing::CheckToolkitWarnings([](std::string_view text) { ADD_FAILURE() << "the toolkit warned: " << text; });
    ui::testing::UseTestDisplay();
    ui::Application application(argc, argv);
    return RUN_ALL_TESTS();
}

#include "ports/PortRecordCompletion.h"

#include <gtest/gtest.h>

namespace {

using ports::DescriptionFromFriendlyName;

// A trailing qualifier after the first character is cut; every other name stays whole.
TEST(DescriptionFromFriendlyName, CutsOnlyATrailingQualifier)
{
    const std::pair<const char*, const char*> cases[] = {{"Communications Port (COM1)", "Communications Port"}, {"P (COM2)", "P"},
        {"Port ()", "Port"}, {"COM1", "COM1"}, {"", ""}, {" (COM2)", " (COM2)"}, {"(COM2)", "(COM2)"}, {" (", " ("},
        {"Port (A) (COM2)", "Port (A) (COM2)"}, {"Port (COM2) x", "Port (COM2) x"}, {"Port(COM2)", "Port(COM2)"},
        {"Port (COM2", "Port (COM2"}, {"Port COM2)", "Port COM2)"}, {"Port) (COM2)", "Port) (COM2)"}};
    for (const auto& [name, description] : cases) EXPECT_EQ(DescriptionFromFriendlyName(name), description) << name;
}

} // namespace

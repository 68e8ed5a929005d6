#pragma once

#include "TestTemplates.h"

#include "platform/ui/testing/Recorder.h"

#include <gtest/gtest.h>

// Every window-layer test starts with the test templates registered and a fresh recorder.
class UiFixture : public ::testing::Test {
protected:
    static void SetUpTestSuite() { uitest::InstallTestTemplates(); }

    ui::testing::Recorder recorder;
};

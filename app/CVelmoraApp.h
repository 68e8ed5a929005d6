#pragma once

#include <string_view>

// The application object: points the profile at the base file and runs the main window;
// the program ends when that window closes.
class CVelmoraApp {
public:
    // Returns false: nothing runs after the main window.
    bool InitInstance();
    // Makes the working directory's file name (or an absolute path) the active profile.
    void SetProfilePath(std::string_view name);
};

extern CVelmoraApp theApp;

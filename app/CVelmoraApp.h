#pragma once

// The application object: runs the main window; the program ends when it closes.
class CVelmoraApp {
public:
    // Returns false: nothing runs after the main window.
    bool InitInstance();
};

extern CVelmoraApp theApp;

#pragma once

#include <string>

// Start-up: prepares COM and the common controls, runs the main window
// modally, and tears down in the reverse order. Keeps nothing of its own.
class CMainApp {
public:
    // `commandLine` is the text after the program name. Returns the exit code.
    int Run(const std::wstring& commandLine);
};

#include <windows.h>

#include "app/MainApp.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int)
{
    CMainApp app;
    return app.Run(commandLine != nullptr ? commandLine : L"");
}

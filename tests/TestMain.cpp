#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <gtest/gtest.h>

// The runner prepares the process as the program does at start-up, so that
// window tests create the real dialogs.
int main(int argc, char** argv)
{
    ::CoInitialize(nullptr);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_LINK_CLASS | ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&controls);
    testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    ::CoUninitialize();
    return result;
}

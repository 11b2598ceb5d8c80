#include "app/MainApp.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/MainDlg.h"

namespace {

// COM stays initialised for the whole run of the main window.
class ComInitializer {
public:
    ComInitializer() : initialized_(SUCCEEDED(::CoInitialize(nullptr))) {}
    ~ComInitializer()
    {
        if (initialized_)
            ::CoUninitialize();
    }
    ComInitializer(const ComInitializer&) = delete;
    ComInitializer& operator=(const ComInitializer&) = delete;

private:
    bool initialized_;
};

}  // namespace

int CMainApp::Run(const std::wstring& commandLine)
{
    ComInitializer com;

    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_LINK_CLASS | ICC_WIN95_CLASSES;
    ::InitCommonControlsEx(&controls);

    // The dialog object ends before COM is shut down.
    CMainDlg dialog(commandLine);
    return dialog.DoModal() == -1 ? 1 : 0;
}

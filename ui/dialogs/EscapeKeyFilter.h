#pragma once

#include <windows.h>

// Swallows Escape key-downs meant for a dialog or any of its controls before
// the dialog manager sees them: a modal dialog would end on Escape, and a
// multi-line edit posts WM_CLOSE to its dialog on Escape. Works inside the
// system's modal dialog loop, which offers every message to WH_MSGFILTER
// hooks first. Installed for the life of the object, on the calling thread.
class EscapeKeyFilter {
public:
    EscapeKeyFilter() = default;
    ~EscapeKeyFilter() { Uninstall(); }
    EscapeKeyFilter(const EscapeKeyFilter&) = delete;
    EscapeKeyFilter& operator=(const EscapeKeyFilter&) = delete;

    bool Install(HWND dialog);
    void Uninstall();

private:
    static LRESULT CALLBACK FilterProc(int code, WPARAM wParam, LPARAM lParam);

    HWND dialog_ = nullptr;
    HHOOK hook_ = nullptr;
    EscapeKeyFilter* previous_ = nullptr;
};

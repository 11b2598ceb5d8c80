#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/dialogs/Window.h"

// Attaches an object to an existing control (usually a dialog item) through
// SetWindowSubclass, so that a derived class sees the control's messages
// before the control does. Detaches itself when the control is destroyed or
// the object goes away, whichever comes first.
class CSubclassedControl : public CWindow {
public:
    CSubclassedControl() = default;
    virtual ~CSubclassedControl() { Detach(); }
    CSubclassedControl(const CSubclassedControl&) = delete;
    CSubclassedControl& operator=(const CSubclassedControl&) = delete;

    bool Attach(HWND control);
    bool AttachDlgItem(HWND dialog, int controlId) { return Attach(::GetDlgItem(dialog, controlId)); }
    void Detach();
    bool IsAttached() const { return attached_; }

protected:
    // Override to see messages; call DefaultProc for the control's own handling.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return DefaultProc(message, wParam, lParam);
    }
    LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
    {
        return ::DefSubclassProc(Handle(), message, wParam, lParam);
    }

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR refData);
    bool attached_ = false;
};

#include "ui/controls/SubclassedControl.h"

#include <commctrl.h>

namespace {
// One subclass ID for every object of this kind: a control carries at most one.
constexpr UINT_PTR kSubclassId = 0x4E424C31;
}

bool CSubclassedControl::Attach(HWND control)
{
    Detach();
    if (control == nullptr ||
        !::SetWindowSubclass(control, &CSubclassedControl::SubclassProc, kSubclassId,
                             reinterpret_cast<DWORD_PTR>(this)))
        return false;
    static_cast<CWindow&>(*this) = CWindow(control);
    attached_ = true;
    return true;
}

void CSubclassedControl::Detach()
{
    if (!attached_)
        return;
    ::RemoveWindowSubclass(Handle(), &CSubclassedControl::SubclassProc, kSubclassId);
    attached_ = false;
    static_cast<CWindow&>(*this) = CWindow();
}

LRESULT CALLBACK CSubclassedControl::SubclassProc(HWND hwnd, UINT message, WPARAM wParam,
                                                  LPARAM lParam, UINT_PTR id, DWORD_PTR refData)
{
    auto* self = reinterpret_cast<CSubclassedControl*>(refData);
    if (message == WM_NCDESTROY) {
        const LRESULT result = ::DefSubclassProc(hwnd, message, wParam, lParam);
        self->Detach();
        return result;
    }
    return self->WindowProc(message, wParam, lParam);
}

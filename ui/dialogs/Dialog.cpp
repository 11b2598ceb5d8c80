#include "ui/dialogs/Dialog.h"

INT_PTR CDialog::DoModal(HWND parent)
{
    return ::DialogBoxParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                             &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
}

bool CDialog::Create(HWND parent)
{
    return ::CreateDialogParamW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(templateId_), parent,
                                &CDialog::DialogProc, reinterpret_cast<LPARAM>(this)) != nullptr;
}

void CDialog::OnUnhandledCommand(int controlId, int code)
{
    if (controlId == IDOK || controlId == IDCANCEL)
        EndDialog(controlId);
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CDialog* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lParam);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, lParam);
        static_cast<CWindow&>(*self) = CWindow(hwnd);
    } else {
        self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    }
    // Messages that arrive before WM_INITDIALOG (WM_SETFONT, WM_NCCREATE...)
    // have no object yet.
    if (self == nullptr)
        return FALSE;

    const INT_PTR handled = self->Dispatch(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        static_cast<CWindow&>(*self) = CWindow();
    }
    return handled;
}

INT_PTR CDialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG:
        return OnInitDialog();
    case WM_COMMAND: {
        const int id = LOWORD(wParam);
        const int code = HIWORD(wParam);
        const auto found = commandHandlers_.find({id, code});
        if (found != commandHandlers_.end())
            found->second();
        else
            OnUnhandledCommand(id, code);
        return TRUE;
    }
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        const auto found =
            notifyHandlers_.find({static_cast<int>(header->idFrom), static_cast<int>(header->code)});
        if (found == notifyHandlers_.end())
            return FALSE;
        ::SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, found->second(header));
        return TRUE;
    }
    default: {
        LRESULT result = 0;
        if (!HandleMessage(message, wParam, lParam, result))
            return FALSE;
        // Messages whose result is the return value itself rather than DWLP_MSGRESULT.
        switch (message) {
        case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC: case WM_COMPAREITEM: case WM_VKEYTOITEM:
        case WM_CHARTOITEM: case WM_QUERYDRAGICON: case WM_INITDIALOG:
            return static_cast<INT_PTR>(result);
        default:
            ::SetWindowLongPtrW(Handle(), DWLP_MSGRESULT, result);
            return TRUE;
        }
    }
    }
}

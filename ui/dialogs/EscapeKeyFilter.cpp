#include "ui/dialogs/EscapeKeyFilter.h"

namespace {
// The hook procedure has no context argument; one filter per thread is active.
thread_local EscapeKeyFilter* activeFilter = nullptr;
thread_local HWND activeDialog = nullptr;
}

bool EscapeKeyFilter::Install(HWND dialog)
{
    Uninstall();
    hook_ = ::SetWindowsHookExW(WH_MSGFILTER, &EscapeKeyFilter::FilterProc, nullptr,
                                ::GetCurrentThreadId());
    if (hook_ == nullptr)
        return false;
    dialog_ = dialog;
    previous_ = activeFilter;
    activeFilter = this;
    activeDialog = dialog;
    return true;
}

void EscapeKeyFilter::Uninstall()
{
    if (hook_ == nullptr)
        return;
    ::UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    if (activeFilter == this) {
        activeFilter = previous_;
        activeDialog = previous_ != nullptr ? previous_->dialog_ : nullptr;
    }
    dialog_ = nullptr;
}

LRESULT CALLBACK EscapeKeyFilter::FilterProc(int code, WPARAM wParam, LPARAM lParam)
{
    if (code >= 0 && activeDialog != nullptr) {
        const MSG* message = reinterpret_cast<const MSG*>(lParam);
        if (message->message == WM_KEYDOWN && message->wParam == VK_ESCAPE &&
            (message->hwnd == activeDialog || ::IsChild(activeDialog, message->hwnd)))
            return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

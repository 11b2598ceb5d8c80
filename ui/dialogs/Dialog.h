#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <utility>

#include "ui/dialogs/Window.h"

// A modal dialog run from a dialog resource. The object is bound to its
// window at WM_INITDIALOG; WM_COMMAND and WM_NOTIFY reach handlers registered
// by control ID and notification code, everything else reaches
// HandleMessage.
class CDialog : public CWindow {
public:
    explicit CDialog(int templateId) : templateId_(templateId) {}
    virtual ~CDialog() = default;
    CDialog(const CDialog&) = delete;
    CDialog& operator=(const CDialog&) = delete;

    // Runs the dialog until EndDialog; returns its result, or -1 when the
    // dialog could not be created.
    INT_PTR DoModal(HWND parent = nullptr);

    // Creates the dialog without running it (the caller pumps messages and
    // destroys it); false when the window could not be created.
    bool Create(HWND parent = nullptr);
    void Destroy() const { ::DestroyWindow(Handle()); }

    void EndDialog(INT_PTR result) const { ::EndDialog(Handle(), result); }

    using CommandHandler = std::function<void()>;
    using NotifyHandler = std::function<LRESULT(NMHDR*)>;

    // Registers the handler of one notification code from one control. Public
    // so that a part of a window (a panel attached to some of its controls)
    // can take its own notifications; a later registration replaces an
    // earlier one for the same pair.
    void OnCommand(int controlId, int code, CommandHandler handler)
    {
        commandHandlers_[{controlId, code}] = std::move(handler);
    }
    void OnNotify(int controlId, int code, NotifyHandler handler)
    {
        notifyHandlers_[{controlId, code}] = std::move(handler);
    }

protected:

    // Called once the window and its controls exist. Return FALSE when the
    // focus was set here.
    virtual BOOL OnInitDialog() { return TRUE; }

    // Messages other than WM_INITDIALOG, WM_COMMAND and WM_NOTIFY. Return
    // true and set `result` when the message was handled.
    virtual bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result)
    {
        return false;
    }

    // WM_COMMAND with no registered handler: IDOK and IDCANCEL end the
    // dialog unless a subclass decides otherwise.
    virtual void OnUnhandledCommand(int controlId, int code);

private:
    static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    INT_PTR Dispatch(UINT message, WPARAM wParam, LPARAM lParam);

    int templateId_;
    std::map<std::pair<int, int>, CommandHandler> commandHandlers_;
    std::map<std::pair<int, int>, NotifyHandler> notifyHandlers_;
};

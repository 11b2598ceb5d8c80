#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/Window.h"

// The result log edit control. Appending puts the text at the end without
// reading the whole text back (a batch of ten thousand files would otherwise
// copy its log once per file), and the control's text limit is lifted so
// that no line is ever dropped.
class CResultLog : public CWindow {
public:
    CResultLog() = default;
    CResultLog(HWND edit) : CWindow(edit) {}

    // Call once: the default limit of an edit control is about 32,000 characters.
    void LiftTextLimit() const { Send(EM_SETLIMITTEXT, 0); }

    void Append(const std::wstring& text) const
    {
        const LRESULT length = ::GetWindowTextLengthW(Handle());
        Send(EM_SETSEL, length, length);
        Send(EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(text.c_str()));
    }

    // Scrolls so that the last line is visible.
    void ScrollToEnd() const
    {
        const LRESULT lines = Send(EM_GETLINECOUNT);
        const LRESULT first = Send(EM_GETFIRSTVISIBLELINE);
        Send(EM_LINESCROLL, 0, lines - 1 - first);
    }
};

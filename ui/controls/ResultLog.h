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
    explicit CResultLog(HWND edit) : CWindow(edit) {}

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

// Collects the lines of a running batch and hands them to the log in pieces.
// An edit control's cost per change grows with its text (on some systems
// steeply), so one change per file would make a long batch slow down as it
// goes; the window shows the log only when the batch lets it repaint anyway.
// Flushing waits at least four times as long as the last flush took, which
// keeps the log's share of the batch small however long the log grows.
class CResultLogWriter {
public:
    explicit CResultLogWriter(CResultLog log) : log_(log) {}

    void Add(const std::wstring& line) { pending_ += line; }

    // Shows what is pending when enough time has passed since the last flush.
    void FlushIfDue()
    {
        if (pending_.empty() || ::GetTickCount64() - lastFlushEnd_ < minimumGap_)
            return;
        Flush();
    }

    void Flush()
    {
        if (pending_.empty())
            return;
        const ULONGLONG start = ::GetTickCount64();
        log_.Append(pending_);
        log_.ScrollToEnd();
        pending_.clear();
        lastFlushEnd_ = ::GetTickCount64();
        minimumGap_ = 4 * (lastFlushEnd_ - start);
    }

private:
    CResultLog log_;
    std::wstring pending_;
    ULONGLONG lastFlushEnd_ = 0;
    ULONGLONG minimumGap_ = 0;
};

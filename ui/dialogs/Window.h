#pragma once

#include <windows.h>

#include <string>

// A non-owning handle to a window, with the few calls the program makes on
// every kind of window. Copying it copies the handle, never the window.
class CWindow {
public:
    CWindow() = default;
    CWindow(HWND hwnd) : hwnd_(hwnd) {}

    HWND Handle() const { return hwnd_; }
    operator HWND() const { return hwnd_; }
    bool IsWindow() const { return hwnd_ != nullptr && ::IsWindow(hwnd_) != FALSE; }

    CWindow Item(int id) const { return CWindow(::GetDlgItem(hwnd_, id)); }
    int ControlId() const { return ::GetDlgCtrlID(hwnd_); }

    std::wstring Text() const
    {
        const int length = ::GetWindowTextLengthW(hwnd_);
        std::wstring text(static_cast<size_t>(length) + 1, L'\0');
        const int copied = ::GetWindowTextW(hwnd_, text.data(), length + 1);
        text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
        return text;
    }
    void SetText(const std::wstring& text) const { ::SetWindowTextW(hwnd_, text.c_str()); }

    LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::SendMessageW(hwnd_, message, wParam, lParam);
    }
    bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const
    {
        return ::PostMessageW(hwnd_, message, wParam, lParam) != FALSE;
    }

    void Show(bool visible) const { ::ShowWindow(hwnd_, visible ? SW_SHOW : SW_HIDE); }
    bool IsVisible() const { return ::IsWindowVisible(hwnd_) != FALSE; }
    void Enable(bool enabled) const { ::EnableWindow(hwnd_, enabled ? TRUE : FALSE); }
    bool IsEnabled() const { return ::IsWindowEnabled(hwnd_) != FALSE; }

    RECT ClientRect() const
    {
        RECT rect = {};
        ::GetClientRect(hwnd_, &rect);
        return rect;
    }
    RECT WindowRect() const
    {
        RECT rect = {};
        ::GetWindowRect(hwnd_, &rect);
        return rect;
    }
    // The window's rectangle in its parent's client coordinates.
    RECT RectInParent() const
    {
        RECT rect = WindowRect();
        ::MapWindowPoints(HWND_DESKTOP, ::GetParent(hwnd_), reinterpret_cast<POINT*>(&rect), 2);
        return rect;
    }
    void Move(const RECT& rect, bool repaint = true) const
    {
        ::MoveWindow(hwnd_, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     repaint ? TRUE : FALSE);
    }

    int GetCheck() const { return static_cast<int>(Send(BM_GETCHECK)); }
    void SetCheck(int state) const { Send(BM_SETCHECK, static_cast<WPARAM>(state)); }

private:
    HWND hwnd_ = nullptr;
};

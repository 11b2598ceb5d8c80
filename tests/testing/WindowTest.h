#pragma once

#include <windows.h>

#include <string>

// Helpers for tests that drive real windows on the test display.

// Handles everything that is queued for this thread, as the program's message
// loop would.
inline void PumpMessages()
{
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}

inline std::wstring ClassNameOf(HWND window)
{
    wchar_t name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}

inline RECT ClientRectOf(HWND window)
{
    RECT rect = {};
    ::GetClientRect(window, &rect);
    return rect;
}

// A control's rectangle in its parent's client coordinates.
inline RECT RectInParent(HWND control)
{
    RECT rect = {};
    ::GetWindowRect(control, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// Dialog units to pixels for a dialog, as the dialog manager converts them:
// position and size each on their own, so that rounding matches.
inline RECT DialogUnitsToPixels(HWND dialog, int x, int y, int width, int height)
{
    RECT position = {x, y, width, height};
    ::MapDialogRect(dialog, &position);
    return {position.left, position.top, position.left + position.right, position.top + position.bottom};
}

#pragma once

#include <windows.h>

#include <string>

#include "ui/dialogs/Window.h"

// One tooltip window serving any number of controls of a dialog. The tooltip
// is a window owned by the dialog and goes away with it.
class CToolTip : public CWindow {
public:
    bool Create(HWND owner);
    // Shows `text` when the mouse rests on `control`; replaces an earlier text.
    bool SetText(HWND control, const std::wstring& text);
    std::wstring GetText(HWND control) const;

private:
    HWND owner_ = nullptr;
};

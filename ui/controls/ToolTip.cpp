#include "ui/controls/ToolTip.h"

#include <commctrl.h>

namespace {

TTTOOLINFOW ToolFor(HWND owner, HWND control, wchar_t* text)
{
    TTTOOLINFOW tool = {};
    tool.cbSize = sizeof(tool);
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = owner;
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = text;
    return tool;
}

}  // namespace

bool CToolTip::Create(HWND owner)
{
    owner_ = owner;
    HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr,
                                 WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                 ::GetModuleHandleW(nullptr), nullptr);
    static_cast<CWindow&>(*this) = CWindow(tip);
    if (tip != nullptr)
        Send(TTM_SETMAXTIPWIDTH, 0, 400);
    return tip != nullptr;
}

bool CToolTip::SetText(HWND control, const std::wstring& text)
{
    if (Handle() == nullptr || control == nullptr)
        return false;
    std::wstring copy = text;
    TTTOOLINFOW tool = ToolFor(owner_, control, copy.data());
    Send(TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    return Send(TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool)) != FALSE;
}

std::wstring CToolTip::GetText(HWND control) const
{
    wchar_t buffer[512] = {};
    TTTOOLINFOW tool = ToolFor(owner_, control, buffer);
    // TTM_GETTEXTW copies at most 80 characters unless wParam gives the size.
    Send(TTM_GETTEXTW, sizeof(buffer) / sizeof(buffer[0]), reinterpret_cast<LPARAM>(&tool));
    return buffer;
}

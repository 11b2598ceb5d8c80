#include "ui/dialogs/MessageDialog.h"

#include "support/VersionInfo.h"

void ShowMessage(HWND owner, const std::wstring& text, int /*themeIndex*/)
{
    ::MessageBoxW(owner, text.c_str(), NIMBREL_WIDEN(NIMBREL_PRODUCT_NAME), MB_OK | MB_ICONINFORMATION);
}

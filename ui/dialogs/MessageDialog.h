#pragma once

#include <windows.h>

#include <string>

// Shows a notice to the user and waits for OK. Every message of the program
// goes through here, so that the themed message window can take its place
// in one spot; until it exists the system's message box stands in.
void ShowMessage(HWND owner, const std::wstring& text, int themeIndex);

#pragma once

#include <string>

// The user's application-data folder with a trailing backslash, or empty
// when the shell cannot tell it.
std::wstring GetAppDataFolder();

// The program's own per-user folder: GetAppDataFolder() + "Nimbrel\".
// Creates nothing.
std::wstring GetDataFolder();

// Creates every missing folder along `path` (a trailing backslash is
// implied). True only when the deepest folder reached was newly created.
bool CreateFolderPath(const std::wstring& path);

// Folder of the running executable, with its trailing backslash.
std::wstring GetModuleFolder();

#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The system's open-file dialog for adding files: several files, no file-type
// filter, shortcuts returned as themselves. Opens in `initialFolder`.
// Returns false on Cancel; `errorCode` is then the dialog's extended error
// (0 for a plain Cancel).
bool ChooseFilesToAdd(HWND owner, const std::wstring& initialFolder, std::vector<std::wstring>& paths,
                      DWORD& errorCode);

// The shell's folder picker, opening at `folder`. A typed folder name that does
// not exist is created (with its missing parents); when it cannot be, the
// picker stays open. True, with `folder` set, when a folder was chosen.
bool BrowseForFolder(std::wstring& folder, const std::wstring& title, HWND owner);

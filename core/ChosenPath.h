#pragma once

#include <string>

// Paths handed back by the open-file dialog.

// Replaces every double backslash by a single one: the dialog returns files
// chosen in a drive's root folder as "C:\\a.txt". A leading pair is kept,
// since it starts a network path (\\server\share\a.txt) that would no longer
// name the file with one backslash.
std::wstring RepairChosenPath(const std::wstring& path);

// The path up to and including its last backslash; empty when it has none.
std::wstring FolderOfPath(const std::wstring& path);

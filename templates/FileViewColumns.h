#pragma once

#include <string>

// Texts of the file view's columns 1 to 4 for one path: "Create time",
// "Modify time", "Access time" in the "%c" form and the attribute letters.
// When the times cannot be read, timesRead is false and the caller keeps
// the time columns it shows.
struct FileViewTexts {
    bool timesRead = false;
    std::wstring created;
    std::wstring modified;
    std::wstring accessed;
    std::wstring attributes;
};

FileViewTexts ReadFileViewTexts(const std::wstring& path);

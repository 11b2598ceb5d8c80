#pragma once

#include <string>
#include <string_view>

// The main window's options kept between runs in "NBL.cfg" in the data
// folder: a flat run of little-endian fields with no header or version.
inline constexpr wchar_t kSettingsFileName[] = L"NBL.cfg";

// Theme indices run from 0 to 14; a file that names another is not trusted.
inline constexpr int kThemeCount = 15;
inline constexpr int kDefaultThemeIndex = 11;

// Check states are kept as read (any non-zero value is checked).
struct MainSettings {
    int caseFilter = 0, dirOnly = 0, exclude = 0, includeDir = 0, includeSubDir = 0;
    std::wstring lastFolder;
    int themeIndex = kDefaultThemeIndex, windowWidth = 800, windowHeight = 600, maximized = 0,
        processedFiles = 0;
    int quickView = 0, mediaPreview = 0;
};

// The 27 fields of the file, reserved ones with their fixed values.
std::string EncodeSettings(const MainSettings& settings);

// Applies the fields in file order and stops silently at the first one that is
// cut short or damaged: the fields before it keep their new values, the
// others are left as they were. A theme index outside 0 to 14 is read as 11.
void DecodeSettings(std::string_view bytes, MainSettings& settings);

// False, with `settings` untouched, when the file cannot be read; a short or
// damaged file still counts as read.
bool ReadSettingsFile(const std::wstring& path, MainSettings& settings);

// Replaces the file; false when it could not be written whole.
bool WriteSettingsFile(const std::wstring& path, const MainSettings& settings);

#pragma once

#include <array>
#include <string>
#include <string_view>

// The six property categories. The display texts are what the category list
// shows and what every category branch compares against, exactly and
// case-sensitively; the empty text (no selection) matches none of them.
enum class PropertyCategory {
    None = -1,
    FileDateTime = 0,
    FileAttributes,
    DocumentSummary,
    PictureExif,
    Mp3Id3,
    AviInfo,
};

inline constexpr std::array<std::wstring_view, 6> kCategoryTexts = {
    L"File date time",
    L"File attributes",
    L"Document summary",
    L"Picture properties (EXIF)",
    L"MP3 ID3 Tags",
    L"AVI properties",
};

// Maps a category list text to its category; anything else is None.
inline PropertyCategory CategoryFromText(std::wstring_view text)
{
    for (size_t i = 0; i < kCategoryTexts.size(); ++i)
        if (kCategoryTexts[i] == text)
            return static_cast<PropertyCategory>(i);
    return PropertyCategory::None;
}

inline std::wstring_view CategoryText(PropertyCategory category)
{
    if (category == PropertyCategory::None)
        return {};
    return kCategoryTexts[static_cast<size_t>(category)];
}

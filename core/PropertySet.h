#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "core/LocalDateTime.h"

// The time command every template row and every original-value record starts with.
inline constexpr wchar_t kDoNotChange[] = L"Do not change";

// One EXIF property of a picture as text, with what is needed to write it back.
struct ExifValue {
    std::wstring text;
    uint32_t length = 0;
    uint16_t type = 0;
    int32_t count = 0;
    bool readOnly = false;
    std::wstring hint;
};

using ValueMap = std::map<std::wstring, std::wstring>;
using ExifValueMap = std::map<std::wstring, ExifValue>;

// One set of values for every category: the template being edited is one,
// and each file's values captured before a batch are another. Owned in one
// place and never copied, so that a record cannot be duplicated by accident.
struct PropertySet {
    LocalDateTime created;
    LocalDateTime modified;
    LocalDateTime accessed;
    std::wstring createdCommand = kDoNotChange;
    std::wstring modifiedCommand = kDoNotChange;
    std::wstring accessedCommand = kDoNotChange;
    uint32_t attributes = 0;
    bool saved = false;
    ValueMap docSummaryValues;
    ExifValueMap exifValues;
    ValueMap id3Values;
    ValueMap aviValues;

    PropertySet() = default;
    PropertySet(const PropertySet&) = delete;
    PropertySet& operator=(const PropertySet&) = delete;
};

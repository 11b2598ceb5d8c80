#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "templates/CalendarTime.h"

// Text put in place of a date that cannot be given: a TimeSeries or
// TimeAdjust whose date or result lies outside 1970-01-01 .. 3000-12-31 UTC
// (or whose year or fields are out of their limits). A wrong but plausible
// date would be written to files without anyone noticing; this text is seen
// in the written value and is refused by the file time commands.
inline constexpr wchar_t kNoDateText[] = L"Invalid DateTime";

struct ExpandOptions {
    // The current local time; empty means the system clock. Read once for
    // each Time and Date variable.
    std::function<CalendarTime()> now;

    // When set, a TimeSeries start or TimeAdjust base that is not a date at
    // all also gives kNoDateText instead of the 1970-01-01 00:00:00 UTC
    // fallback. Used for file time commands, where that fallback would be
    // written to the file as if it were meant.
    bool strictDates = false;
};

// Expands the template variables of `value` in place for one file: its row
// position in the file view, the property's current value and the file's full
// path. Never fails; malformed variables give empty text, 0 or the 1970
// fallback date, and unknown text stays as it is.
void ExpandVariables(std::wstring& value, int32_t position, const std::wstring& oldValue,
                     const std::wstring& path);
void ExpandVariables(std::wstring& value, int32_t position, const std::wstring& oldValue,
                     const std::wstring& path, const ExpandOptions& options);

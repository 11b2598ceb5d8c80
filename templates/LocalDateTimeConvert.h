#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "core/LocalDateTime.h"
#include "templates/CalendarTime.h"
#include "templates/LocalTimeZone.h"

// Building, converting and showing LocalDateTime values. File times are
// converted with the zone rules of their own date (see LocalTimeZone.h), not
// with the offset in force today, so a January time read in July is not an
// hour off.

// Valid only when the system accepts the fields as an OLE date and gives the
// same fields back (so 2013-02-31 is invalid here).
LocalDateTime LocalDateTimeFromFields(const CalendarTime& fields);

// The calendar fields of a valid value, to the second.
std::optional<CalendarTime> FieldsOf(const LocalDateTime& value);

// UTC file time to local; milliseconds and finer are dropped.
LocalDateTime LocalDateTimeFromFileTime(const FILETIME& fileTime);

// Local to UTC file time with a sub-second part of zero; nullopt when the
// value is not valid or cannot be placed in time.
std::optional<FILETIME> FileTimeFromLocalDateTime(const LocalDateTime& value);

// An instant of the template language as a local date-time.
LocalDateTime LocalDateTimeFromAbsolute(AbsoluteTime time);

// The current local time to the second.
LocalDateTime LocalDateTimeNow();

enum class DateTimeForm {
    FileView,  // "%c": 06/21/13 14:05:09
    Editor,    // "%#c": Friday, June 21, 2013 14:05:09
    Full,      // "%Y:%m:%d %H:%M:%S": 2013:06:21 14:05:09
};

// English names and fixed patterns whatever the regional settings. An invalid
// value gives "Invalid DateTime", a null value the empty text.
std::wstring FormatLocalDateTime(const LocalDateTime& value, DateTimeForm form);

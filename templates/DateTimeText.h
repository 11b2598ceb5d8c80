#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "templates/LocalTimeZone.h"

// Reads a number the way every number of the template language is read:
// leading white space skipped, an optional "+" or "-", then decimal digits up
// to the first other character, kept in 32 bits (wrapping like the system's
// own string-to-int). No digits give 0.
int32_t ReadNumber32(std::wstring_view text);

// What a date-time text turned out to be.
enum class DateTextKind {
    Date,        // six fields within the limits: time holds the instant
    NotADate,    // not six fields: time is 0, 1970-01-01 00:00:00 UTC
    OutOfRange,  // six fields, but a field is outside its limits or the
                 // instant lies outside 1970-01-01 .. 3000-12-31 UTC; time is 0
};

struct ParsedDateTime {
    AbsoluteTime time = 0;
    DateTextKind kind = DateTextKind::NotADate;

    bool IsDate() const { return kind == DateTextKind::Date; }
};

// "2013:06:21 14:05:09", also with "-" or blanks as separators and single
// digits, as local time. A day past the month's end rolls over into the next
// month. Field limits: year >= 1900, month 1-12, day 1-31, hour 0-23,
// minute and second 0-59.
ParsedDateTime ParseDateTimeText(std::wstring_view text);

// "days:hours:minutes:seconds" in seconds, each piece with its own optional
// sign; anything else is 0.
int64_t ParseTimeSpanText(std::wstring_view text);

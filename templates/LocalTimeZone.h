#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "templates/CalendarTime.h"

// Conversions between UTC instants and local calendar fields with the zone
// rules in force at the date itself (summer time for a July date even when
// read in January), as the shell shows file times. Everything in the program
// that turns a local time into an instant or back goes through here, so file
// times, the date pickers and the template language always agree.
//
// The C runtime's mktime/localtime are deliberately not used: they follow the
// TZ environment variable when one is set, which can disagree with the
// system's zone.
//
// Local times that do not name exactly one instant:
// - A repeated hour (clocks set back) means its first occurrence, the summer
//   time one: the earlier instant.
// - A skipped hour (clocks set forward) is read with the offset in force
//   before the change, so 02:30 on that day becomes 03:30 summer time, the
//   same instant an unchanged clock would have shown as 02:30.
// A time read from a file and written back therefore comes back to the
// second in every season; only an instant inside the second pass of a
// repeated hour comes back one hour earlier, since its local text is the
// same as that of the first pass.

// Seconds since 1970-01-01 00:00:00 UTC.
using AbsoluteTime = int64_t;

// The range the template language works in:
// 1970-01-01 00:00:00 UTC to 3000-12-31 23:59:59 UTC.
inline constexpr AbsoluteTime kMinAbsoluteTime = 0;
inline constexpr AbsoluteTime kMaxAbsoluteTime = 32535215999;

inline bool IsAbsoluteTimeInRange(AbsoluteTime t)
{
    return t >= kMinAbsoluteTime && t <= kMaxAbsoluteTime;
}

// UTC seconds (counted like AbsoluteTime, but any year Windows can convert)
// to local fields; nullopt when the system cannot convert the date.
std::optional<CalendarTime> UtcSecondsToLocal(int64_t utcSeconds);

// Local fields to UTC seconds with the rules above; nullopt when the system
// cannot convert the date.
std::optional<int64_t> LocalToUtcSeconds(const CalendarTime& local);

// FILETIME (100 ns since 1601) and UTC seconds.
int64_t FileTimeToUtcSeconds(const FILETIME& fileTime);
FILETIME UtcSecondsToFileTime(int64_t utcSeconds);

// The current local time to the second.
CalendarTime CurrentLocalTime();

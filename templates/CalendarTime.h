#pragma once

#include <cstdint>
#include <string>

// A date and time of day by its calendar fields, with no time zone attached.
// The English display forms are built here by hand rather than through the
// C runtime or the locale functions, so that the texts never follow the
// user's regional settings.
struct CalendarTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;

    friend bool operator==(const CalendarTime&, const CalendarTime&) = default;
};

// Days from 1970-01-01 to the given date in the proleptic Gregorian calendar.
// A day past the month's end simply counts on into the next month.
int64_t DaysFromCivil(int64_t year, int month, int day);

// Seconds of the fields counted as if they were UTC; the basis of all
// arithmetic on calendar fields.
int64_t SecondsFromFields(const CalendarTime& fields);
CalendarTime FieldsFromSeconds(int64_t seconds);

// 0 = Sunday ... 6 = Saturday.
int DayOfWeek(int year, int month, int day);

// "%Y:%m:%d %H:%M:%S": 2013:06:21 14:05:09
std::wstring FormatFull(const CalendarTime& t);
// "%H:%M:%S": 14:05:09
std::wstring FormatTime24(const CalendarTime& t);
// "%I:%M:%S %p": 02:05:09 PM
std::wstring FormatTime12(const CalendarTime& t);
// "%#x": Friday, June 21, 2013
std::wstring FormatLongDate(const CalendarTime& t);
// "%x": 06/21/13
std::wstring FormatShortDate(const CalendarTime& t);
// "%Y-%m-%d", "%m/%d/%Y", "%d/%m/%Y", "%Y:%m:%d"
std::wstring FormatYearMonthDayDash(const CalendarTime& t);
std::wstring FormatMonthDayYearSlash(const CalendarTime& t);
std::wstring FormatDayMonthYearSlash(const CalendarTime& t);
std::wstring FormatYearMonthDayColon(const CalendarTime& t);
// "%c": 06/21/13 14:05:09
std::wstring FormatShortDateTime(const CalendarTime& t);
// "%#c": Friday, June 21, 2013 14:05:09
std::wstring FormatLongDateTime(const CalendarTime& t);

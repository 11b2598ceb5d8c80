#include "templates/CalendarTime.h"

#include <cwchar>

namespace {

const wchar_t* const kWeekdays[] = {L"Sunday",   L"Monday", L"Tuesday", L"Wednesday",
                                    L"Thursday", L"Friday", L"Saturday"};
const wchar_t* const kMonths[] = {L"January", L"February", L"March",     L"April",
                                  L"May",     L"June",     L"July",      L"August",
                                  L"September", L"October", L"November", L"December"};

std::wstring Printf(const wchar_t* format, int a, int b, int c)
{
    wchar_t buffer[64];
    swprintf(buffer, 64, format, a, b, c);
    return buffer;
}

int64_t FloorDiv(int64_t a, int64_t b)
{
    int64_t q = a / b;
    if ((a % b != 0) && ((a < 0) != (b < 0)))
        --q;
    return q;
}

}  // namespace

int64_t DaysFromCivil(int64_t year, int month, int day)
{
    // Howard Hinnant's days_from_civil, counted from the 1st of the month so
    // that day numbers past the month's end roll over.
    year -= month <= 2;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yoe = year - era * 400;
    const int64_t mp = (month + 9) % 12;
    const int64_t doy = (153 * mp + 2) / 5;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468 + (day - 1);
}

int64_t SecondsFromFields(const CalendarTime& t)
{
    return ((DaysFromCivil(t.year, t.month, t.day) * 24 + t.hour) * 60 + t.minute) * 60 + t.second;
}

CalendarTime FieldsFromSeconds(int64_t seconds)
{
    int64_t days = FloorDiv(seconds, 86400);
    int64_t rest = seconds - days * 86400;
    days += 719468;
    const int64_t era = FloorDiv(days, 146097);
    const int64_t doe = days - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    CalendarTime t;
    t.day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    t.month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    t.year = static_cast<int>(yoe + era * 400 + (t.month <= 2));
    t.hour = static_cast<int>(rest / 3600);
    t.minute = static_cast<int>(rest / 60 % 60);
    t.second = static_cast<int>(rest % 60);
    return t;
}

int DayOfWeek(int year, int month, int day)
{
    // 1970-01-01 was a Thursday.
    return static_cast<int>((DaysFromCivil(year, month, day) % 7 + 11) % 7);
}

std::wstring FormatFull(const CalendarTime& t)
{
    return FormatYearMonthDayColon(t) + L" " + FormatTime24(t);
}

std::wstring FormatTime24(const CalendarTime& t)
{
    return Printf(L"%02d:%02d:%02d", t.hour, t.minute, t.second);
}

std::wstring FormatTime12(const CalendarTime& t)
{
    const int hour12 = t.hour % 12 == 0 ? 12 : t.hour % 12;
    return Printf(L"%02d:%02d:%02d", hour12, t.minute, t.second) + (t.hour < 12 ? L" AM" : L" PM");
}

std::wstring FormatLongDate(const CalendarTime& t)
{
    const int month = (t.month >= 1 && t.month <= 12) ? t.month : 1;
    wchar_t buffer[64];
    swprintf(buffer, 64, L"%ls, %ls %02d, %d", kWeekdays[DayOfWeek(t.year, t.month, t.day)],
             kMonths[month - 1], t.day, t.year);
    return buffer;
}

std::wstring FormatShortDate(const CalendarTime& t)
{
    return Printf(L"%02d/%02d/%02d", t.month, t.day, ((t.year % 100) + 100) % 100);
}

std::wstring FormatYearMonthDayDash(const CalendarTime& t)
{
    return Printf(L"%d-%02d-%02d", t.year, t.month, t.day);
}

std::wstring FormatMonthDayYearSlash(const CalendarTime& t)
{
    return Printf(L"%02d/%02d/%d", t.month, t.day, t.year);
}

std::wstring FormatDayMonthYearSlash(const CalendarTime& t)
{
    return Printf(L"%02d/%02d/%d", t.day, t.month, t.year);
}

std::wstring FormatYearMonthDayColon(const CalendarTime& t)
{
    return Printf(L"%d:%02d:%02d", t.year, t.month, t.day);
}

std::wstring FormatShortDateTime(const CalendarTime& t)
{
    return FormatShortDate(t) + L" " + FormatTime24(t);
}

std::wstring FormatLongDateTime(const CalendarTime& t)
{
    return FormatLongDate(t) + L" " + FormatTime24(t);
}

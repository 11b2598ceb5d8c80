#include <gtest/gtest.h>

#include <string>

#include "templates/DateTimeText.h"
#include "tests/templates/TemplateTestSupport.h"

namespace {

// The local full form of a parsed instant, or a marker for the other kinds.
std::wstring Describe(const ParsedDateTime& parsed)
{
    switch (parsed.kind) {
    case DateTextKind::NotADate:
        return parsed.time == 0 ? L"not a date" : L"not a date, time not 0";
    case DateTextKind::OutOfRange:
        return parsed.time == 0 ? L"out of range" : L"out of range, time not 0";
    case DateTextKind::Date:
        break;
    }
    const std::optional<CalendarTime> local = UtcSecondsToLocal(parsed.time);
    return local ? FormatFull(*local) : L"unconvertible";
}

}  // namespace

TEST(ParseDateTimeText, ReadsLocalDateTimes)
{
    const struct {
        const wchar_t* text;
        const wchar_t* expected;
    } cases[] = {
        {L"2013:06:21 14:05:09", L"2013:06:21 14:05:09"},
        {L"  2013-06-21 14:05:09\t", L"2013:06:21 14:05:09"},
        {L"2013-6-1 9:05:00", L"2013:06:01 09:05:00"},
        {L"2013 06 21 14 05 09", L"2013:06:21 14:05:09"},
        {L"2013:02:31 00:00:00", L"2013:03:03 00:00:00"},
        {L"2012:02:30 23:59:59", L"2012:03:01 23:59:59"},
        {L"3000:12:31 00:00:00", L"3000:12:31 00:00:00"},
        // Not six fields after the separators are turned into ":".
        {L"2013-06-21", L"not a date"},
        {L"2013:06:21 14:05", L"not a date"},
        {L"2013:06:21  14:05:09", L"not a date"},
        {L"2013:06:21 14:05:09:00", L"not a date"},
        {L"2013:06::21 14:05", L"not a date"},
        {L"Invalid DateTime", L"not a date"},
        {L"", L"not a date"},
        // Six fields outside their limits or the range.
        {L"1899:12:31 23:00:00", L"out of range"},
        {L"2013:00:10 00:00:00", L"out of range"},
        {L"2013:13:10 00:00:00", L"out of range"},
        {L"2013:06:32 00:00:00", L"out of range"},
        {L"2013:06:00 00:00:00", L"out of range"},
        {L"2013:06:21 24:00:00", L"out of range"},
        {L"2013:06:21 23:60:00", L"out of range"},
        {L"2013:06:21 23:00:60", L"out of range"},
        {L"1969:12:30 12:00:00", L"out of range"},
        {L"3001:01:02 00:00:00", L"out of range"},
        {L"99999:01:01 00:00:00", L"out of range"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Describe(ParseDateTimeText(c.text)), c.expected) << testing::PrintToString(std::wstring(c.text));
}

// The edges of the range are instants in UTC, whatever the zone.
TEST(ParseDateTimeText, RangeEdgesInCentralEuropeanTime)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    EXPECT_EQ(ParseDateTimeText(L"1970:01:01 01:00:00").time, 0);
    EXPECT_TRUE(ParseDateTimeText(L"1970:01:01 01:00:00").IsDate());
    EXPECT_EQ(ParseDateTimeText(L"1970:01:01 00:59:59").kind, DateTextKind::OutOfRange);
    EXPECT_EQ(ParseDateTimeText(L"3001:01:01 00:59:59").time, kMaxAbsoluteTime);
    EXPECT_EQ(ParseDateTimeText(L"3001:01:01 01:00:00").kind, DateTextKind::OutOfRange);
    // Summer and winter dates use their own offsets.
    EXPECT_EQ(ParseDateTimeText(L"2013:01:15 13:00:00").time, SecondsFromFields({2013, 1, 15, 12, 0, 0}));
    EXPECT_EQ(ParseDateTimeText(L"2013:07:15 14:00:00").time, SecondsFromFields({2013, 7, 15, 12, 0, 0}));
}

TEST(ParseTimeSpanText, DaysHoursMinutesSeconds)
{
    const struct {
        const wchar_t* text;
        int64_t expected;
    } cases[] = {
        {L"1:01:00:00", 90000},
        {L"+1:01:00:00", 90000},
        {L" 0:00:30:00 ", 1800},
        // Each piece has its own sign: "-0" days do not turn the minutes round.
        {L"-0:00:30:00", 1800},
        {L"-0:00:-30:00", -1800},
        {L"1:-1:00:00", 82800},
        {L"0:0:0:5", 5},
        {L"2147483647:23:59:59", 2147483647LL * 86400 + 86399},
        {L"1:00:00", 0},
        {L"1:00:00:00:00", 0},
        {L"1::00:00", 0},
        {L"", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ParseTimeSpanText(c.text), c.expected) << testing::PrintToString(std::wstring(c.text));
}

TEST(ReadNumber32, LeadingBlanksSignAndDigits)
{
    const struct {
        const wchar_t* text;
        int32_t expected;
    } cases[] = {
        {L"  42x", 42}, {L"+7", 7}, {L"-8 ", -8}, {L"x1", 0}, {L"", 0}, {L"- 3", 0},
        {L"2147483647", 2147483647}, {L"-2147483648", INT32_MIN},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReadNumber32(c.text), c.expected) << testing::PrintToString(std::wstring(c.text));
}

#include <gtest/gtest.h>

#include <string>

#include "templates/ExpandVariables.h"
#include "tests/templates/TemplateTestSupport.h"

namespace {

const std::wstring kPhoto = L"C:\\Photos\\Trip\\IMG_0042.JPG";

ExpandOptions FixedClock()
{
    ExpandOptions options;
    options.now = [] { return CalendarTime{2013, 6, 21, 14, 5, 9}; };
    return options;
}

struct ExpandCase {
    const wchar_t* value;
    int32_t position;
    const wchar_t* oldValue;
    const wchar_t* path;
    const wchar_t* expected;
};

std::wstring Expand(const ExpandCase& c)
{
    std::wstring value = c.value;
    ExpandVariables(value, c.position, c.oldValue, c.path, FixedClock());
    return value;
}

void ExpectAll(const ExpandCase* begin, const ExpandCase* end)
{
    for (const ExpandCase* c = begin; c != end; ++c)
        EXPECT_EQ(Expand(*c), c->expected) << "template: " << testing::PrintToString(std::wstring(c->value))
                                            << " row " << c->position;
}

}  // namespace

// The file C:\Photos\Trip\IMG_0042.JPG in row 3, old value 12, now 2013-06-21 14:05:09.
TEST(ExpandVariables, WorkedExamples)
{
    const wchar_t* p = kPhoto.c_str();
    const ExpandCase cases[] = {
        {L"<%FileName%>", 3, L"12", p, L"IMG_0042"},
        {L"<%FileExtension%>", 3, L"12", p, L".JPG"},
        {L"<%FolderName%>", 3, L"12", p, L"C:\\Photos\\Trip"},
        {L"Photo <%NumberSeries start from: 100; step: 10%>", 3, L"12", p, L"Photo 130"},
        {L"<%NumberAdjust +5%>", 3, L"12", p, L"17"},
        {L"<%NumberAdjust -20%>", 3, L"12", p, L"-8"},
        {L"Old: <%OldPropertyValue%>", 3, L"12", p, L"Old: 12"},
        {L"<%Date YYYY-MM-DD%> at <%Time 24H%>", 3, L"12", p, L"2013-06-21 at 14:05:09"},
        {L"<%Date long%>", 3, L"12", p, L"Friday, June 21, 2013"},
        {L"<%Date short%>", 3, L"12", p, L"06/21/13"},
        {L"<%Date DD/MM/YYYY%>", 3, L"12", p, L"21/06/2013"},
        {L"<%Time 12H%>", 3, L"12", p, L"02:05:09 PM"},
        {L"<%TimeSeries start from: 2013:01:01 08:00:00; step:+1:01:00:00%>", 3, L"12", p, L"2013:01:04 11:00:00"},
        {L"<%TimeSeries start from: 2013-01-01 08:00:00; step:-0:00:30:00%>", 3, L"12", p, L"2013:01:01 06:30:00"},
        {L"<%TimeAdjust +1:01:00:00%>", 3, L"2013:06:21 14:05:09", p, L"2013:06:22 15:05:09"},
        {L"<%TimeAdjust -0:00:00:09%>", 3, L"2013-06-21 14:05:09", p, L"2013:06:21 14:05:00"},
        {L"IMG_<%Replace%IMG_%With%PIC_%>", 3, L"12", p, L"PIC_"},
        {L"<%FileName%>-copy<%Replace%-copy%With%%>", 3, L"12", p, L"IMG_0042"},
    };
    ExpectAll(std::begin(cases), std::end(cases));
}

TEST(ExpandVariables, KeysFieldsAndOrder)
{
    const wchar_t* p = kPhoto.c_str();
    const ExpandCase cases[] = {
        // Keys are case-sensitive and need their exact spelling.
        {L"<%filename%>", 3, L"12", p, L"<%filename%>"},
        {L"<%Date%>", 3, L"12", p, L"<%Date%>"},
        {L"a<%Date xyz%>b", 3, L"12", p, L"ab"},
        // Field keys need their leading space; without one the field is missing.
        {L"<%NumberSeries start from:1;step:2%>", 0, L"", p, L"1"},
        {L"<%NumberSeries start from:1;step:2%>", 3, L"", p, L"1"},
        // Without ";" the start field runs to "%>", and its number stops at the blank.
        {L"<%NumberSeries start from: 5 step: 2%>", 2, L"", p, L"9"},
        {L"<%NumberSeries start from: -5; step: -3%>", 2, L"", p, L"-11"},
        // Row 0 gets the start itself; a step without a sign is added.
        {L"<%TimeSeries start from: 2013:01:01 08:00:00; step:1:00:00:00%>", 0, L"", p, L"2013:01:01 08:00:00"},
        {L"<%TimeSeries start from: 2013:01:01 08:00:00; step:1:00:00:00%>", 2, L"", p, L"2013:01:03 08:00:00"},
        // Fields in any order.
        {L"<%TimeSeries step:+0:01:00:00; start from: 2013:01:01 08:00:00%>", 1, L"", p, L"2013:01:01 09:00:00"},
        // With both keys the 12-hour text comes first.
        {L"<%Time 24H 12H%>", 3, L"", p, L"02:05:09 PM14:05:09"},
        // Only the first of steps 1 to 7 expands; later plain keys all do.
        {L"<%Date YYYY:MM:DD%>/<%Date YYYY:MM:DD%>", 3, L"", p, L"2013:06:21/<%Date YYYY:MM:DD%>"},
        {L"<%Date MM/DD/YYYY%>", 3, L"", p, L"06/21/2013"},
        {L"<%FileName%><%FileName%>", 3, L"", p, L"IMG_0042IMG_0042"},
        // Replace keeps a NumberSeries literal, works on template text only, and
        // its replacement ends at ";".
        {L"<%NumberSeries start from: 1%><%Replace%x%With%y%>", 3, L"", p, L"<%NumberSeries start from: 1%>"},
        {L"<%OldPropertyValue%>IMG<%Replace%IMG%With%PIC%>", 3, L"IMG", p, L"IMGPIC"},
        {L"<%FileName%><%Replace%File%With%X%>", 3, L"", p, L"<%XName%>"},
        {L"IMG_<%Replace%IMG_%With%PIC_;x%>", 3, L"", p, L"PIC_"},
        {L"aaa<%Replace%a%With%aa%>", 3, L"", p, L"aaaaaa"},
        // Adjust variables take over the whole value.
        {L"Photo <%NumberSeries start from: 1%> <%NumberAdjust +1%> <%FileName%>", 3, L"41", p, L"42"},
        {L"<%NumberAdjust +1", 3, L"41", p, L"41"},
        // An old value's own keys: plain ones are expanded later, dated ones not.
        {L"<%OldPropertyValue%>", 3, L"<%FileName%> <%Date long%>", p, L"IMG_0042 <%Date long%>"},
        // Paths: no extension, root level, folders.
        {L"[<%FileName%>][<%FileExtension%>][<%FolderName%>]", 3, L"", L"C:\\Photos\\README", L"[README][][C:\\Photos]"},
        {L"[<%FileName%>][<%FileExtension%>][<%FolderName%>]", 3, L"", L"C:\\a.txt", L"[a][.txt][C:\\]"},
        {L"[<%FileName%>][<%FolderName%>]", 3, L"", L"C:\\Photos\\Trip", L"[Trip][C:\\Photos]"},
        // Without "%>" the variable's fields are empty and nothing is removed.
        {L"<%NumberSeries start from: 5", 3, L"", p, L"0<%NumberSeries start from: 5"},
    };
    ExpectAll(std::begin(cases), std::end(cases));
}

// Time arithmetic is on instants, so a series across the spring change moves
// the wall clock by the hour that was skipped.
TEST(ExpandVariables, TimeSeriesAcrossSummerTimeChange)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    const ExpandCase cases[] = {
        {L"<%TimeSeries start from: 2013:03:30 12:00:00; step:+1:00:00:00%>", 1, L"", L"", L"2013:03:31 13:00:00"},
        {L"<%TimeAdjust -0:12:00:00%>", 3, L"2013:10:27 12:00:00", L"", L"2013:10:27 01:00:00"},
        // Not a date at all: the instant 0, shown in local time.
        {L"<%TimeSeries start from: soon; step:+0:00:00:00%>", 0, L"", L"", L"1970:01:01 01:00:00"},
        {L"<%TimeAdjust +0:00:00:00%>", 0, L"Invalid DateTime", L"", L"1970:01:01 01:00:00"},
        // 00:30 local on 1970-01-01 is still 1969 in UTC.
        {L"<%TimeAdjust +0:00:00:00%>", 0, L"1970:01:01 00:30:00", L"", L"Invalid DateTime"},
    };
    ExpectAll(std::begin(cases), std::end(cases));
}

// Dates the language cannot hold never turn into another plausible date.
TEST(ExpandVariables, DatesOutsideTheLimitsGiveNoDate)
{
    const ExpandCase cases[] = {
        {L"x <%TimeSeries start from: 1899:06:01 00:00:00; step:+1:00:00:00%>", 0, L"", L"", L"x Invalid DateTime"},
        {L"<%TimeSeries start from: 1969:12:31 00:00:00; step:+1:00:00:00%>", 5, L"", L"", L"Invalid DateTime"},
        {L"<%TimeSeries start from: 2013:13:01 00:00:00; step:+1:00:00:00%>", 0, L"", L"", L"Invalid DateTime"},
        {L"<%TimeSeries start from: 2013:06:21 24:00:00; step:+1:00:00:00%>", 0, L"", L"", L"Invalid DateTime"},
        {L"<%TimeSeries start from: 3001:01:02 00:00:00; step:+1:00:00:00%>", 0, L"", L"", L"Invalid DateTime"},
        // Series that leave the range on a later row.
        {L"<%TimeSeries start from: 2999:12:01 00:00:00; step:+400:00:00:00%>", 0, L"", L"", L"2999:12:01 00:00:00"},
        {L"<%TimeSeries start from: 2999:12:01 00:00:00; step:+400:00:00:00%>", 1, L"", L"", L"Invalid DateTime"},
        {L"<%TimeSeries start from: 1970:01:05 12:00:00; step:-1:00:00:00%>", 3, L"", L"", L"1970:01:02 12:00:00"},
        {L"<%TimeSeries start from: 1970:01:05 12:00:00; step:-1:00:00:00%>", 6, L"", L"", L"Invalid DateTime"},
        {L"<%TimeSeries start from: 2013:01:01 00:00:00; step:+2147483647:00:00:00%>", 2147483647, L"", L"",
         L"Invalid DateTime"},
        {L"<%TimeAdjust -20000:00:00:00%>", 0, L"2013:06:21 14:05:09", L"", L"Invalid DateTime"},
        {L"<%TimeAdjust +0:00:00:00%>", 0, L"1850:01:01 00:00:00", L"", L"Invalid DateTime"},
    };
    ExpectAll(std::begin(cases), std::end(cases));
}

// File time commands ask for strict dates: a start or base that is not a date
// gives no date instead of the 1970 fallback.
TEST(ExpandVariables, StrictDatesRefuseTheFallback)
{
    ExpandOptions options = FixedClock();
    options.strictDates = true;
    std::wstring series = L"<%TimeSeries start from: 2013:01:01; step:+1:01:00:00%>";
    ExpandVariables(series, 2, L"", kPhoto, options);
    EXPECT_EQ(series, L"Invalid DateTime");
    std::wstring adjust = L"<%TimeAdjust +1:01:00:00%>";
    ExpandVariables(adjust, 2, L"Invalid DateTime", kPhoto, options);
    EXPECT_EQ(adjust, L"Invalid DateTime");
    std::wstring good = L"<%TimeAdjust +1:01:00:00%>";
    ExpandVariables(good, 2, L"2013:06:21 14:05:09", kPhoto, options);
    EXPECT_EQ(good, L"2013:06:22 15:05:09");
}

// The four-argument form reads the system clock.
TEST(ExpandVariables, DateAndTimeComeFromTheClock)
{
    const CalendarTime before = CurrentLocalTime();
    std::wstring value = L"<%Date YYYY:MM:DD%> <%Time 24H%>";
    ExpandVariables(value, 0, L"", kPhoto);
    const CalendarTime after = CurrentLocalTime();
    EXPECT_TRUE(value == FormatFull(before) || value == FormatFull(after)) << testing::PrintToString(value);
}

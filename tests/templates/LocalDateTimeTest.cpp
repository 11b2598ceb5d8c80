#include <gtest/gtest.h>

#include <string>

#include "templates/LocalDateTimeConvert.h"
#include "tests/templates/TemplateTestSupport.h"

using templates_test::Ticks;
using templates_test::UtcFileTime;

TEST(LocalDateTime, DisplayFormsAreEnglishWhateverTheLocale)
{
    const LocalDateTime friday = LocalDateTimeFromFields({2013, 6, 21, 14, 5, 9});
    const LocalDateTime morning = LocalDateTimeFromFields({2009, 1, 4, 0, 7, 0});
    ASSERT_TRUE(friday.IsValid());
    // German regional settings must not change any text.
    const LCID oldLocale = GetThreadLocale();
    SetThreadLocale(MAKELCID(MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN), SORT_DEFAULT));
    const struct {
        LocalDateTime value;
        DateTimeForm form;
        const wchar_t* expected;
    } cases[] = {
        {friday, DateTimeForm::FileView, L"06/21/13 14:05:09"},
        {friday, DateTimeForm::Editor, L"Friday, June 21, 2013 14:05:09"},
        {friday, DateTimeForm::Full, L"2013:06:21 14:05:09"},
        {morning, DateTimeForm::Editor, L"Sunday, January 04, 2009 00:07:00"},
        {morning, DateTimeForm::FileView, L"01/04/09 00:07:00"},
        {LocalDateTime{}, DateTimeForm::Full, L"1899:12:30 00:00:00"},
        {LocalDateTime::Invalid(), DateTimeForm::FileView, L"Invalid DateTime"},
        {LocalDateTime::Invalid(), DateTimeForm::Full, L"Invalid DateTime"},
        {LocalDateTime::Null(), DateTimeForm::Editor, L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatLocalDateTime(c.value, c.form), c.expected);
    SetThreadLocale(oldLocale);
}

TEST(LocalDateTime, FieldsMustComeBackUnchanged)
{
    EXPECT_TRUE(LocalDateTimeFromFields({2012, 2, 29, 23, 59, 59}).IsValid());
    EXPECT_FALSE(LocalDateTimeFromFields({2013, 2, 29, 0, 0, 0}).IsValid());
    EXPECT_FALSE(LocalDateTimeFromFields({2013, 2, 31, 0, 0, 0}).IsValid());
    EXPECT_FALSE(LocalDateTimeFromFields({2013, 6, 21, 24, 0, 0}).IsValid());
    EXPECT_FALSE(LocalDateTimeFromFields({2013, 13, 1, 0, 0, 0}).IsValid());
}

// Each date converts with the offset of its own season, not today's.
TEST(LocalDateTime, FileTimesUseTheOffsetOfTheirOwnDate)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    const struct {
        FILETIME utc;
        const wchar_t* local;
    } cases[] = {
        {UtcFileTime(2013, 1, 15, 9, 20, 30), L"2013:01:15 10:20:30"},
        {UtcFileTime(2013, 7, 15, 8, 20, 30), L"2013:07:15 10:20:30"},
        {UtcFileTime(2013, 3, 31, 0, 59, 59), L"2013:03:31 01:59:59"},
        {UtcFileTime(2013, 3, 31, 1, 0, 0), L"2013:03:31 03:00:00"},
        {UtcFileTime(2013, 10, 27, 0, 30, 0), L"2013:10:27 02:30:00"},
        {UtcFileTime(2013, 10, 27, 1, 30, 0), L"2013:10:27 02:30:00"},
    };
    for (const auto& c : cases) {
        const LocalDateTime local = LocalDateTimeFromFileTime(c.utc);
        EXPECT_EQ(FormatLocalDateTime(local, DateTimeForm::Full), c.local);
    }
}

// Local to UTC, including the hours that do not name one instant: a repeated
// hour means its first (summer time) pass, a skipped hour is read with the
// winter offset, landing in the hour after the gap.
TEST(LocalDateTime, LocalTimesToFileTimes)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    const struct {
        CalendarTime local;
        FILETIME utc;
    } cases[] = {
        {{2013, 1, 15, 10, 20, 30}, UtcFileTime(2013, 1, 15, 9, 20, 30)},
        {{2013, 7, 15, 10, 20, 30}, UtcFileTime(2013, 7, 15, 8, 20, 30)},
        {{2013, 10, 27, 2, 30, 0}, UtcFileTime(2013, 10, 27, 0, 30, 0)},
        {{2013, 10, 27, 3, 0, 0}, UtcFileTime(2013, 10, 27, 2, 0, 0)},
        {{2013, 3, 31, 2, 30, 0}, UtcFileTime(2013, 3, 31, 1, 30, 0)},
        {{2013, 3, 31, 3, 0, 0}, UtcFileTime(2013, 3, 31, 1, 0, 0)},
        {{1601, 1, 2, 0, 0, 0}, UtcFileTime(1601, 1, 1, 23, 0, 0)},
    };
    for (const auto& c : cases) {
        const std::optional<FILETIME> utc = FileTimeFromLocalDateTime(LocalDateTimeFromFields(c.local));
        ASSERT_TRUE(utc.has_value()) << FormatFull(c.local);
        EXPECT_EQ(Ticks(*utc), Ticks(c.utc)) << FormatFull(c.local);
    }
    EXPECT_FALSE(FileTimeFromLocalDateTime(LocalDateTime::Invalid()).has_value());
    EXPECT_FALSE(FileTimeFromLocalDateTime(LocalDateTime::Null()).has_value());
}

TEST(LocalDateTime, AbsoluteTimesAndNow)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    EXPECT_EQ(FormatLocalDateTime(LocalDateTimeFromAbsolute(0), DateTimeForm::Full), L"1970:01:01 01:00:00");
    EXPECT_EQ(FormatLocalDateTime(LocalDateTimeFromAbsolute(1371816309), DateTimeForm::Full), L"2013:06:21 14:05:09");

    SYSTEMTIME system;
    GetLocalTime(&system);
    const LocalDateTime now = LocalDateTimeNow();
    ASSERT_TRUE(now.IsValid());
    const double systemNow =
        LocalDateTimeFromFields({system.wYear, system.wMonth, system.wDay, system.wHour, system.wMinute, system.wSecond})
            .value;
    EXPECT_NEAR(now.value, systemNow, 5.0 / 86400);
}

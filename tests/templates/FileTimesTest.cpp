#include <gtest/gtest.h>

#include <string>

#include "templates/FileTimes.h"
#include "templates/LocalDateTimeConvert.h"
#include "tests/templates/TemplateTestSupport.h"

using namespace templates_test;

namespace {

LocalDateTime Local(int year, int month, int day, int hour, int minute, int second)
{
    return LocalDateTimeFromFields({year, month, day, hour, minute, second});
}

std::wstring Full(const LocalDateTime& value)
{
    return FormatLocalDateTime(value, DateTimeForm::Full);
}

class FileTimesTest : public testing::Test {
protected:
    TempFolder folder;
};

}  // namespace

// Written times land on the instant of their own season and read back as
// typed; today's offset would put one of the two an hour off.
TEST_F(FileTimesTest, WriteAndReadInBothSeasons)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    const std::wstring path = folder.MakeFile(L"season.txt");
    const struct {
        LocalDateTime local;
        FILETIME utc;
    } cases[] = {
        {Local(2013, 1, 15, 10, 20, 30), UtcFileTime(2013, 1, 15, 9, 20, 30)},
        {Local(2013, 7, 15, 10, 20, 30), UtcFileTime(2013, 7, 15, 8, 20, 30)},
    };
    for (const auto& c : cases) {
        std::wstring error = L"untouched";
        ASSERT_TRUE(WriteFileTimes(path, nullptr, &c.local, nullptr, error));
        EXPECT_EQ(error, L"untouched");
        const std::optional<RawTimes> raw = ReadRawTimes(path);
        ASSERT_TRUE(raw.has_value());
        EXPECT_EQ(Ticks(raw->modified), Ticks(c.utc)) << Full(c.local);
        LocalDateTime modified = LocalDateTime::Invalid();
        ASSERT_TRUE(ReadFileTimes(path, nullptr, &modified, nullptr));
        EXPECT_EQ(Full(modified), Full(c.local));
    }
}

// Read then written back, a time keeps its instant in every season; only the
// milliseconds are dropped.
TEST_F(FileTimesTest, ReadAndWrittenBackKeepsTheInstant)
{
    const std::wstring path = folder.MakeFile(L"roundtrip.txt");
    const FILETIME stored[] = {
        UtcFileTime(2013, 1, 15, 9, 20, 30, 789), UtcFileTime(2013, 7, 15, 8, 20, 30, 789),
        UtcFileTime(2013, 3, 31, 1, 0, 0, 500),   UtcFileTime(2013, 10, 27, 0, 30, 0, 1),
        UtcFileTime(1965, 5, 5, 5, 5, 5, 5),
    };
    for (const FILETIME& time : stored) {
        ASSERT_TRUE(WriteRawTimes(path, nullptr, nullptr, &time));
        LocalDateTime modified;
        ASSERT_TRUE(ReadFileTimes(path, nullptr, &modified, nullptr));
        std::wstring error;
        ASSERT_TRUE(WriteFileTimes(path, nullptr, &modified, nullptr, error)) << error;
        const std::optional<RawTimes> raw = ReadRawTimes(path);
        ASSERT_TRUE(raw.has_value());
        EXPECT_EQ(Ticks(raw->modified), Ticks(time) / 10000000 * 10000000) << Full(modified);
    }
}

TEST_F(FileTimesTest, FoldersAreReadAndWritten)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    const std::wstring path = folder.MakeFolder(L"Trip");
    const LocalDateTime time = Local(2012, 12, 24, 18, 0, 1);
    std::wstring error;
    ASSERT_TRUE(WriteFileTimes(path, nullptr, &time, nullptr, error)) << error;
    ASSERT_EQ(Ticks(ReadRawTimes(path)->modified), Ticks(UtcFileTime(2012, 12, 24, 17, 0, 1)));
    LocalDateTime modified;
    ASSERT_TRUE(ReadFileTimes(path, nullptr, &modified, nullptr));
    EXPECT_EQ(Full(modified), L"2012:12:24 18:00:01");
}

// The three outputs keep their order: created, modified, accessed.
TEST_F(FileTimesTest, LastAccessTime)
{
    const std::wstring path = folder.MakeFile(L"accessed.txt");
    const LocalDateTime modified = Local(2011, 6, 7, 8, 9, 10);
    const LocalDateTime accessed = Local(2012, 11, 12, 13, 14, 15);
    std::wstring error;
    ASSERT_TRUE(WriteFileTimes(path, nullptr, &modified, &accessed, error)) << error;
    LocalDateTime readModified = LocalDateTime::Null();
    LocalDateTime readAccessed = LocalDateTime::Null();
    ASSERT_TRUE(ReadFileTimes(path, nullptr, &readModified, &readAccessed));
    EXPECT_EQ(Full(readModified), Full(modified));
    if (Full(readAccessed) != Full(accessed))
        GTEST_SKIP() << "last-access time read back as " << testing::PrintToString(Full(readAccessed))
                     << ": the file system moved it (Linux relatime under Wine)";
    EXPECT_EQ(Full(readAccessed), Full(accessed));
}

TEST_F(FileTimesTest, CreationTime)
{
    const std::wstring path = folder.MakeFile(L"created.txt");
    const LocalDateTime created = Local(2010, 1, 2, 3, 4, 5);
    std::wstring error;
    ASSERT_TRUE(WriteFileTimes(path, &created, nullptr, nullptr, error)) << error;
    LocalDateTime readCreated = LocalDateTime::Null();
    ASSERT_TRUE(ReadFileTimes(path, &readCreated, nullptr, nullptr));
    if (Full(readCreated) != Full(created))
        GTEST_SKIP() << "creation time read back as " << testing::PrintToString(Full(readCreated))
                     << " after writing " << testing::PrintToString(Full(created))
                     << ": Wine does not store the creation time";
    EXPECT_EQ(Full(readCreated), Full(created));
}

TEST_F(FileTimesTest, VanishedFileFailsAndLogs)
{
    const std::wstring path = folder.Path() + L"\\gone.txt";
    LocalDateTime created = Local(2001, 1, 1, 0, 0, 0);
    LocalDateTime before = created;
    EXPECT_FALSE(ReadFileTimes(path, &created, nullptr, nullptr));
    EXPECT_EQ(created, before);
    EXPECT_TRUE(EndsWith(LastErrorLogLine(), L"] (GetFileTime) File open failed on file \"" + path + L"\", error: 2\r\n"))
        << testing::PrintToString(LastErrorLogLine());

    std::wstring error;
    EXPECT_FALSE(WriteFileTimes(path, nullptr, nullptr, nullptr, error));
    EXPECT_EQ(error, L"file open failed, error: " + GetSystemErrorText(ERROR_FILE_NOT_FOUND));
    EXPECT_EQ(error.rfind(L"file open failed, error: [2]", 0), 0u);
    EXPECT_TRUE(EndsWith(LastErrorLogLine(), L"] (SetFileTime) File open failed on file \"" + path + L"\", error: 2\r\n"))
        << testing::PrintToString(LastErrorLogLine());
}

// A read-only file refuses the open for writing, even with nothing to write.
TEST_F(FileTimesTest, ReadOnlyFileRefusesTheWrite)
{
    const std::wstring path = folder.MakeFile(L"locked.txt");
    const FILETIME stored = UtcFileTime(2013, 6, 21, 12, 5, 9);
    ASSERT_TRUE(WriteRawTimes(path, nullptr, nullptr, &stored));
    ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
    {
        UniqueHandle probe(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                       OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (probe)
            GTEST_SKIP() << "a read-only file opened for writing: the test runs with administrator rights "
                            "(under Wine: as root)";
    }
    const LocalDateTime time = Local(2000, 1, 1, 0, 0, 0);
    std::wstring error;
    EXPECT_FALSE(WriteFileTimes(path, nullptr, &time, nullptr, error));
    EXPECT_EQ(error, L"file open failed, error: " + GetSystemErrorText(ERROR_ACCESS_DENIED));
    EXPECT_EQ(error.rfind(L"file open failed, error: [5]", 0), 0u) << testing::PrintToString(error);
    EXPECT_TRUE(EndsWith(LastErrorLogLine(), L"] (SetFileTime) File open failed on file \"" + path + L"\", error: 5\r\n"))
        << testing::PrintToString(LastErrorLogLine());

    error.clear();
    EXPECT_FALSE(WriteFileTimes(path, nullptr, nullptr, nullptr, error));
    EXPECT_EQ(error.rfind(L"file open failed, error: [5]", 0), 0u) << testing::PrintToString(error);
    EXPECT_EQ(Ticks(ReadRawTimes(path)->modified), Ticks(stored));
}

// A time that cannot be placed fails the whole write and leaves every time.
TEST_F(FileTimesTest, InvalidInputWritesNothing)
{
    const std::wstring path = folder.MakeFile(L"invalid.txt");
    const FILETIME stored = UtcFileTime(2013, 6, 21, 12, 5, 9);
    ASSERT_TRUE(WriteRawTimes(path, nullptr, nullptr, &stored));
    const LocalDateTime good = Local(2000, 1, 1, 0, 0, 0);
    const LocalDateTime bad[] = {LocalDateTime::Invalid(), LocalDateTime::Null()};
    for (const LocalDateTime& input : bad) {
        std::wstring error;
        EXPECT_FALSE(WriteFileTimes(path, nullptr, &good, &input, error));
        EXPECT_EQ(error, L"invalid date time, file times not changed");
        EXPECT_EQ(Ticks(ReadRawTimes(path)->modified), Ticks(stored));
    }
}

namespace {

struct CommandCase {
    const wchar_t* command;
    int32_t position;
    LocalDateTime templateTime;
    NewFileTime expected;
    const wchar_t* result;  // new time in full form, or the error text
};

}  // namespace

TEST(ComputeNewFileTime, Commands)
{
    PropertySet captured;
    captured.created = Local(2001, 2, 3, 4, 5, 6);
    captured.modified = Local(2002, 3, 4, 5, 6, 7);
    captured.accessed = Local(2003, 4, 5, 6, 7, 8);
    const LocalDateTime picker = Local(2013, 6, 21, 14, 5, 9);
    ExpandOptions clock;
    clock.now = [] { return CalendarTime{2013, 6, 21, 14, 5, 9}; };

    const CommandCase cases[] = {
        {L"Do not change", 0, picker, NewFileTime::Keep, L""},
        {L"Use value from date time picker", 0, picker, NewFileTime::Write, L"2013:06:21 14:05:09"},
        {L"Use file create time", 0, picker, NewFileTime::Write, L"2001:02:03 04:05:06"},
        {L"Use file modify time", 0, picker, NewFileTime::Write, L"2002:03:04 05:06:07"},
        {L"Use file last access time", 0, picker, NewFileTime::Write, L"2003:04:05 06:07:08"},
        {L"<%TimeAdjust -0:01:00:00%>", 5, picker, NewFileTime::Write, L"2013:06:21 13:05:09"},
        {L"<%TimeAdjust +1:01:00:00%>", 0, picker, NewFileTime::Write, L"2013:06:22 15:05:09"},
        {L"<%TimeSeries start from:2013:06:21 09:00:00; step:+1:01:00:00%>", 2, picker, NewFileTime::Write,
         L"2013:06:23 11:00:00"},
        {L"<%Date YYYY:MM:DD%> 08:00:00", 0, picker, NewFileTime::Write, L"2013:06:21 08:00:00"},
        {L"2013-6-1 9:05:00", 0, picker, NewFileTime::Write, L"2013:06:01 09:05:00"},
        // Commands that give no date-time fail instead of writing 1970.
        {L"<%Date YYYY-MM-DD%>", 0, picker, NewFileTime::Fail,
         L"time command did not give a date-time: 2013-06-21"},
        {L"<%TimeAdjsut +1:01:00:00%>", 0, picker, NewFileTime::Fail,
         L"time command did not give a date-time: <%TimeAdjsut +1:01:00:00%>"},
        {L"<%TimeSeries start from: 2013:06:21; step:+1:01:00:00%>", 0, picker, NewFileTime::Fail,
         L"time command did not give a date-time: Invalid DateTime"},
        {L"<%TimeAdjust +1:01:00:00%>", 0, LocalDateTime::Invalid(), NewFileTime::Fail,
         L"time command did not give a date-time: Invalid DateTime"},
        {L"<%TimeAdjust -40000:00:00:00%>", 0, picker, NewFileTime::Fail,
         L"time command did not give a date-time: Invalid DateTime"},
        {L"1850:01:01 00:00:00", 0, picker, NewFileTime::Fail,
         L"time command did not give a date-time: 1850:01:01 00:00:00"},
        {L"do not change", 0, picker, NewFileTime::Fail, L"time command did not give a date-time: do not change"},
    };
    for (const CommandCase& c : cases) {
        LocalDateTime newTime = LocalDateTime::Null();
        std::wstring error;
        const NewFileTime result = ComputeNewFileTime(L"C:\\a.txt", c.position, c.command, newTime, c.templateTime,
                                                      &captured, error, clock);
        EXPECT_EQ(result, c.expected) << testing::PrintToString(std::wstring(c.command));
        if (c.expected == NewFileTime::Fail) {
            EXPECT_EQ(error, c.result);
            EXPECT_EQ(newTime, LocalDateTime::Null());
        } else if (c.expected == NewFileTime::Write) {
            EXPECT_EQ(Full(newTime), c.result) << testing::PrintToString(std::wstring(c.command));
            EXPECT_TRUE(error.empty());
        }
    }

    LocalDateTime newTime;
    std::wstring error;
    EXPECT_EQ(ComputeNewFileTime(L"C:\\a.txt", 0, kUseCreateTime, newTime, picker, nullptr, error),
              NewFileTime::Fail);
    EXPECT_EQ(error, L"no file time was captured for this file");
}

// The whole "File date time" write of one file, on real files.
TEST_F(FileTimesTest, TemplateTimesOnFiles)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    const std::wstring path = folder.MakeFile(L"IMG_0042.JPG");
    const FILETIME stored = UtcFileTime(2012, 1, 10, 7, 0, 0, 250);
    ASSERT_TRUE(WriteRawTimes(path, nullptr, nullptr, &stored));

    PropertySet templateSet;
    templateSet.modified = Local(2013, 6, 21, 14, 5, 9);
    templateSet.modifiedCommand = L"<%TimeAdjust -0:01:00:00%>";
    std::wstring error;
    ASSERT_TRUE(WriteTemplateTimes(path, 0, templateSet, nullptr, error)) << error;
    EXPECT_EQ(Ticks(ReadRawTimes(path)->modified), Ticks(UtcFileTime(2013, 6, 21, 11, 5, 9)));

    // A command that gives no date-time leaves every time as it was, even
    // those whose commands were fine.
    ASSERT_TRUE(WriteRawTimes(path, nullptr, nullptr, &stored));
    templateSet.created = Local(2000, 1, 1, 0, 0, 0);
    templateSet.createdCommand = kUsePickerValue;
    templateSet.modifiedCommand = L"<%Date YYYY-MM-DD%>";
    templateSet.accessedCommand = L"<%TimeAdjust +0:00:00:01%>";
    const std::optional<RawTimes> before = ReadRawTimes(path);
    error.clear();
    EXPECT_FALSE(WriteTemplateTimes(path, 0, templateSet, nullptr, error));
    EXPECT_EQ(error.rfind(L"time command did not give a date-time: ", 0), 0u) << testing::PrintToString(error);
    const std::optional<RawTimes> after = ReadRawTimes(path);
    EXPECT_EQ(Ticks(after->modified), Ticks(stored));
    EXPECT_EQ(Ticks(after->created), Ticks(before->created));

    // "Use file create time" on the modified row copies the captured created
    // time, to the second.
    PropertySet captured;
    captured.created = Local(2009, 8, 7, 6, 5, 4);
    PropertySet copyCreated;
    copyCreated.modifiedCommand = kUseCreateTime;
    error.clear();
    ASSERT_TRUE(WriteTemplateTimes(path, 0, copyCreated, &captured, error)) << error;
    EXPECT_EQ(Ticks(ReadRawTimes(path)->modified), Ticks(UtcFileTime(2009, 8, 7, 4, 5, 4)));
}

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <regex>

#include "templates/FileTimes.h"
#include "templates/LocalDateTimeConvert.h"
#include "testing/MainWindowFixture.h"
#include "testing/TempFolder.h"
#include "templates/TemplateTestSupport.h"

namespace {

constexpr int kFileDateTime = 0;
constexpr int kFileAttributes = 1;
constexpr int kDocumentSummary = 2;

uint64_t WriteTicks(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// A UTC time as file-time ticks.
uint64_t Ticks(int year, int month, int day, int hour, int minute, int second)
{
    SYSTEMTIME time = {};
    time.wYear = static_cast<WORD>(year);
    time.wMonth = static_cast<WORD>(month);
    time.wDay = static_cast<WORD>(day);
    time.wHour = static_cast<WORD>(hour);
    time.wMinute = static_cast<WORD>(minute);
    time.wSecond = static_cast<WORD>(second);
    FILETIME file = {};
    ::SystemTimeToFileTime(&time, &file);
    return (static_cast<uint64_t>(file.dwHighDateTime) << 32) | file.dwLowDateTime;
}

bool SetWriteTicks(const std::wstring& path, uint64_t ticks)
{
    HANDLE file = ::CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    const FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool ok = ::SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    ::CloseHandle(file);
    return ok;
}

std::vector<std::wstring> LogLines(const std::wstring& log)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    for (size_t end; (end = log.find(L"\r\n", start)) != std::wstring::npos; start = end + 2)
        lines.push_back(log.substr(start, end - start));
    if (start < log.size())
        lines.push_back(log.substr(start));
    return lines;
}

const std::wregex kStamp(LR"(^\d\d:\d\d:\d\d -- )");

class BatchPanelTest : public MainWindowFixture {
protected:
    // Files f00.txt, f01.txt, ... with a known old write time each.
    void OpenWithFiles(int count)
    {
        std::wstring commandLine;
        for (int i = 0; i < count; ++i) {
            wchar_t name[16];
            swprintf(name, 16, L"f%02d.txt", i);
            files_.push_back(temp_.MakeFile(name, "content"));
            oldTicks_.push_back(Ticks(2011, 3, 4, 10, 20, i));
            EXPECT_TRUE(SetWriteTicks(files_.back(), oldTicks_.back()));
            commandLine += L"\"" + files_.back() + L"\" ";
        }
        Open(commandLine);
    }
    std::wstring Success(int i) const { return files_[i] + L" -- file properties changed successfully!"; }

    TempFolder temp_{L"batch"};
    std::vector<std::wstring> files_;
    std::vector<uint64_t> oldTicks_;
};

TEST_F(BatchPanelTest, TimeSeriesOnTheModifiedTimeThenUndo)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    OpenWithFiles(3);
    SelectCategory(kFileDateTime);
    dialog_->Template().modifiedCommand = L"<%TimeSeries start from:2013:06:21 14:05:09; step:+1:00:00:00%>";
    Click(IDC_APPLY_CHANGES);

    // Local 14:05:09 in Berlin summer time is 12:05:09 UTC.
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(WriteTicks(files_[i]), Ticks(2013, 6, 21 + i, 12, 5, 9)) << "file " << i;
    const std::vector<std::wstring> lines = LogLines(LogText());
    ASSERT_EQ(lines.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(std::regex_search(lines[i], kStamp)) << testing::PrintToString(lines[i]);
        EXPECT_EQ(lines[i].substr(12), Success(i));
    }
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_UNDO_CHANGES)));
    EXPECT_EQ(dialog_->ProcessedFiles(), 3);
    EXPECT_EQ(View().Text(0, 2), FormatLocalDateTime(LocalDateTimeFromFileTime(FILETIME{static_cast<DWORD>(Ticks(2013, 6, 21, 12, 5, 9)), static_cast<DWORD>(Ticks(2013, 6, 21, 12, 5, 9) >> 32)}), DateTimeForm::FileView))
        << "the view shows the new times";

    Click(IDC_UNDO_CHANGES);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(WriteTicks(files_[i]), oldTicks_[i]) << "file " << i;
    const std::vector<std::wstring> after = LogLines(LogText());
    ASSERT_EQ(after.size(), 6u);
    EXPECT_EQ(after[3], files_[0] + L" -- file properties rollback successfully!");
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_UNDO_CHANGES)));
    EXPECT_EQ(dialog_->ProcessedFiles(), 3) << "Undo does not count";
}

TEST_F(BatchPanelTest, PickerValueAndFileTimeCommands)
{
    REQUIRE_CENTRAL_EUROPEAN_ZONE();
    OpenWithFiles(2);
    SelectCategory(kFileDateTime);
    PropertySet& templateSet = dialog_->Template();
    templateSet.accessedCommand = kUsePickerValue;
    templateSet.accessed = LocalDateTimeFromFields(CalendarTime{2012, 1, 15, 9, 30, 0});  // winter: UTC+1
    templateSet.modifiedCommand = kUseAccessTime;
    Click(IDC_APPLY_CHANGES);

    for (int i = 0; i < 2; ++i) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(::GetFileAttributesExW(files_[i].c_str(), GetFileExInfoStandard, &data));
        const uint64_t accessed = (static_cast<uint64_t>(data.ftLastAccessTime.dwHighDateTime) << 32) |
                                  data.ftLastAccessTime.dwLowDateTime;
        EXPECT_EQ(accessed, Ticks(2012, 1, 15, 8, 30, 0)) << "file " << i;
        // "Use file last access time" takes the time the file had before the batch.
        EXPECT_NE(WriteTicks(files_[i]), oldTicks_[i]);
    }
}

TEST_F(BatchPanelTest, ReadOnlyFileFailsWithItsErrorAndTheBatchGoesOn)
{
    OpenWithFiles(3);
    ASSERT_TRUE(::SetFileAttributesW(files_[1].c_str(), FILE_ATTRIBUTE_READONLY));
    SelectCategory(kFileDateTime);
    dialog_->Template().modifiedCommand = kUsePickerValue;
    dialog_->Template().modified = LocalDateTimeFromFields(CalendarTime{2014, 2, 3, 4, 5, 6});
    Click(IDC_APPLY_CHANGES);

    const std::vector<std::wstring> lines = LogLines(LogText());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].substr(12), Success(0));
    EXPECT_EQ(lines[1].substr(12).rfind(L"ERROR! " + files_[1] +
                                            L" -- file properties change failed, file open failed, error: [5]",
                                        0),
              0u)
        << testing::PrintToString(lines[1]);
    EXPECT_EQ(lines[2].substr(12), Success(2));
    EXPECT_EQ(WriteTicks(files_[1]), oldTicks_[1]);
    ::SetFileAttributesW(files_[1].c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(BatchPanelTest, AttributesAreSetAndUndone)
{
    OpenWithFiles(2);
    SelectCategory(kFileAttributes);
    dialog_->Template().attributes = FILE_ATTRIBUTE_HIDDEN;
    Click(IDC_APPLY_CHANGES);
    for (int i = 0; i < 2; ++i)
        EXPECT_TRUE(::GetFileAttributesW(files_[i].c_str()) & FILE_ATTRIBUTE_HIDDEN) << "file " << i;
    EXPECT_NE(View().Text(0, 4).find(L'H'), std::wstring::npos) << "the view shows the new letters";

    Click(IDC_UNDO_CHANGES);
    for (int i = 0; i < 2; ++i)
        EXPECT_FALSE(::GetFileAttributesW(files_[i].c_str()) & FILE_ATTRIBUTE_HIDDEN) << "file " << i;
}

TEST_F(BatchPanelTest, StopProcessingEndsTheBatchAfterTheRowsBeforeTheNextPause)
{
    OpenWithFiles(25);
    SelectCategory(kFileDateTime);
    dialog_->Template().modifiedCommand = kUsePickerValue;
    dialog_->Template().modified = LocalDateTimeFromFields(CalendarTime{2014, 2, 3, 4, 5, 6});
    // The user clicks Stop while the first row is being written.
    bool clicked = false;
    dialog_->OnCommand(IDC_RESULT_LOG, EN_CHANGE, [&] {
        if (!clicked)
            ::PostMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_APPLY_CHANGES, BN_CLICKED),
                           reinterpret_cast<LPARAM>(Item(IDC_APPLY_CHANGES)));
        clicked = true;
    });
    Click(IDC_APPLY_CHANGES);

    EXPECT_EQ(LogLines(LogText()).size(), 10u);
    EXPECT_EQ(dialog_->OriginalValues().Count(), 10u);
    EXPECT_EQ(dialog_->ProcessedFiles(), 10);
    EXPECT_EQ(CWindow(Item(IDC_APPLY_CHANGES)).Text(), L"Apply Changes");
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(WriteTicks(files_[i]) != oldTicks_[i], i < 10) << "file " << i;

    Click(IDC_UNDO_CHANGES);
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(WriteTicks(files_[i]), oldTicks_[i]) << "file " << i;
    const std::vector<std::wstring> lines = LogLines(LogText());
    ASSERT_EQ(lines.size(), 35u);
    EXPECT_EQ(lines[20], files_[10] + L" -- file properties rollback failed.") << "a row without a record";
}

TEST_F(BatchPanelTest, RowsHiddenByTheFilterAreNotTouched)
{
    OpenWithFiles(3);
    TypeFilter(L"f01");
    SelectCategory(kFileDateTime);
    dialog_->Template().modifiedCommand = kUsePickerValue;
    dialog_->Template().modified = LocalDateTimeFromFields(CalendarTime{2014, 2, 3, 4, 5, 6});
    Click(IDC_APPLY_CHANGES);
    EXPECT_EQ(WriteTicks(files_[0]), oldTicks_[0]);
    EXPECT_NE(WriteTicks(files_[1]), oldTicks_[1]);
    EXPECT_EQ(WriteTicks(files_[2]), oldTicks_[2]);
    EXPECT_EQ(LogLines(LogText()).size(), 1u);
}

TEST_F(BatchPanelTest, KeepDatePutsTheTimesBackAfterAnotherCategory)
{
    OpenWithFiles(2);
    SelectCategory(kFileAttributes);
    SetChecked(IDC_KEEP_DATE, true);
    dialog_->Template().attributes = FILE_ATTRIBUTE_HIDDEN;
    Click(IDC_APPLY_CHANGES);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(WriteTicks(files_[i]), oldTicks_[i]) << "file " << i;
}

TEST_F(BatchPanelTest, NoCategoryFailsEveryRowWithAnEmptyReason)
{
    OpenWithFiles(2);
    Click(IDC_APPLY_CHANGES);
    const std::vector<std::wstring> lines = LogLines(LogText());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].substr(12), L"ERROR! " + files_[0] + L" -- file properties change failed, ");
    EXPECT_TRUE(::IsWindowEnabled(Item(IDC_UNDO_CHANGES)));
}

TEST_F(BatchPanelTest, MetadataCategoriesFailHonestlyUntilTheyCanBeWritten)
{
    OpenWithFiles(1);
    SelectCategory(kDocumentSummary);
    Click(IDC_APPLY_CHANGES);
    const std::vector<std::wstring> lines = LogLines(LogText());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].substr(12).rfind(L"ERROR! " + files_[0] + L" -- file properties change failed, ", 0), 0u);
    EXPECT_GT(lines[0].size(), 12 + files_[0].size() + 45) << "a reason is given";
}

TEST_F(BatchPanelTest, ApplyWithAnEmptyListOnlyTellsTheUser)
{
    Open();
    MessageBoxAnswerer answer;
    Click(IDC_APPLY_CHANGES);
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Text(), L"Please add files to the list using \"Add Files\" or \"Add Folder\" or drag and drop "
                             L"files to the list before press this button.");
    EXPECT_EQ(LogText(), L"");
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_UNDO_CHANGES)));
}

// The log keeps every line however long it grows.
TEST_F(BatchPanelTest, ResultLogKeepsEveryLineOfALongBatch)
{
    OpenWithFiles(1);
    CResultLog log(Item(IDC_RESULT_LOG));
    const std::wstring line(200, L'x');
    for (int i = 0; i < 400; ++i)
        log.Append(line + L"\r\n");
    EXPECT_EQ(LogText().size(), 400 * 202u);
}

}  // namespace

namespace {

// The whole road through the window: select a file, pick the category, pick a
// time row and its command in the template panel, apply.
TEST_F(BatchPanelTest, CommandChosenInThePanelIsWrittenToEveryFile)
{
    OpenWithFiles(2);
    std::vector<uint64_t> accessedBefore;
    for (const std::wstring& file : files_) {
        WIN32_FILE_ATTRIBUTE_DATA data = {};
        ASSERT_TRUE(::GetFileAttributesExW(file.c_str(), GetFileExInfoStandard, &data));
        // Whole seconds: the batch writes times to the second.
        const uint64_t ticks = (static_cast<uint64_t>(data.ftLastAccessTime.dwHighDateTime) << 32) |
                               data.ftLastAccessTime.dwLowDateTime;
        accessedBefore.push_back(ticks - ticks % 10000000);
    }
    SelectRows({0});
    SelectCategory(kFileDateTime);
    const HWND properties = Item(IDC_PROPERTY_LIST);
    const LRESULT row = ::SendMessageW(properties, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(L"File last modified time"));
    ASSERT_NE(row, LB_ERR);
    ::SendMessageW(properties, LB_SETSEL, FALSE, -1);
    ::SendMessageW(properties, LB_SETSEL, TRUE, row);
    ::SendMessageW(properties, LB_SETCARETINDEX, row, FALSE);
    ::SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_PROPERTY_LIST, LBN_SELCHANGE), reinterpret_cast<LPARAM>(properties));
    const HWND combo = Item(IDC_COMMAND_COMBO);
    const LRESULT item = ::SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(L"Use file last access time"));
    ASSERT_NE(item, CB_ERR);
    ::SendMessageW(combo, CB_SETCURSEL, item, 0);
    ::SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(IDC_COMMAND_COMBO, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    PumpMessages();
    ASSERT_EQ(dialog_->Template().modifiedCommand, L"Use file last access time");

    Click(IDC_APPLY_CHANGES);
    for (size_t i = 0; i < files_.size(); ++i) {
        EXPECT_EQ(WriteTicks(files_[i]), accessedBefore[i]) << "file " << i;
        EXPECT_NE(WriteTicks(files_[i]), oldTicks_[i]);
    }
}

}  // namespace

namespace {

// Undo puts back what the batch changed even when another category has been
// picked since: the records hold nothing else.
TEST_F(BatchPanelTest, UndoKeepsToTheCategoryOfTheBatch)
{
    OpenWithFiles(2);
    SelectCategory(kFileAttributes);
    dialog_->Template().attributes = FILE_ATTRIBUTE_HIDDEN;
    Click(IDC_APPLY_CHANGES);
    ASSERT_TRUE(::GetFileAttributesW(files_[0].c_str()) & FILE_ATTRIBUTE_HIDDEN);

    SelectCategory(kFileDateTime);
    Click(IDC_UNDO_CHANGES);
    for (int i = 0; i < 2; ++i) {
        EXPECT_FALSE(::GetFileAttributesW(files_[i].c_str()) & FILE_ATTRIBUTE_HIDDEN) << "file " << i;
        EXPECT_EQ(WriteTicks(files_[i]), oldTicks_[i]) << "no time was captured, none is written";
    }
    const std::vector<std::wstring> lines = LogLines(LogText());
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2], files_[0] + L" -- file properties rollback successfully!");
}

}  // namespace

namespace {

// Escape pressed in the log while a batch runs must not close the window: a
// multi-line edit turns Escape into a close request of its dialog.
// Whether a multi-line edit of this system asks its dialog to close on Escape
// when nothing swallows the key.
bool MultiLineEditClosesOnEscape()
{
    CDialog probe(IDD_MAIN);
    if (!probe.Create())
        return false;
    bool closeAsked = false;
    ::PostMessageW(probe.Item(IDC_RESULT_LOG), WM_KEYDOWN, VK_ESCAPE, 1);
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_CLOSE && message.hwnd == probe.Handle())
            closeAsked = true;
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
    closeAsked = closeAsked || !::IsWindowVisible(probe.Handle());
    probe.Destroy();
    return closeAsked;
}

TEST_F(BatchPanelTest, EscapeDuringABatchLeavesTheWindowOpen)
{
    if (!MultiLineEditClosesOnEscape())
        GTEST_SKIP() << "this system's multi-line edit does not turn Escape into a close request (Wine's does not)";
    OpenWithFiles(12);
    SelectCategory(kFileAttributes);
    bool pressed = false;
    dialog_->OnCommand(IDC_RESULT_LOG, EN_CHANGE, [&] {
        if (!pressed)
            ::PostMessageW(Item(IDC_RESULT_LOG), WM_KEYDOWN, VK_ESCAPE, 1);
        pressed = true;
    });
    Click(IDC_APPLY_CHANGES);
    ASSERT_TRUE(pressed);
    EXPECT_TRUE(::IsWindowVisible(Window()));
    EXPECT_EQ(LogLines(LogText()).size(), 12u) << "the batch ran to its end";
}

}  // namespace

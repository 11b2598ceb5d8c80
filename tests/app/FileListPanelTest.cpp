#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>

#include "app/SettingsFile.h"
#include "support/DataFolder.h"
#include "support/FileHelpers.h"
#include "testing/MainWindowFixture.h"
#include "testing/TempFolder.h"

namespace {

class FileListPanelTest : public MainWindowFixture {
protected:
    // A folder with two files, a sub-folder holding one file, and an empty sub-folder.
    void MakeTree()
    {
        a_ = temp_.MakeFile(L"a.txt");
        img_ = temp_.MakeFile(L"IMG_1.jpg");
        sub_ = temp_.MakeFolder(L"sub");
        x_ = temp_.MakeFile(L"sub\\x.png");
        empty_ = temp_.MakeFolder(L"empty");
    }
    std::vector<std::wstring> Entries() const
    {
        std::vector<std::wstring> entries;
        dialog_->Files().ForEach([&](const std::wstring& path) { entries.push_back(path); });
        return entries;
    }
    static size_t IndexOf(const std::vector<std::wstring>& list, const std::wstring& item)
    {
        return static_cast<size_t>(std::find(list.begin(), list.end(), item) - list.begin());
    }

    TempFolder temp_{L"list"};
    std::wstring a_, img_, sub_, x_, empty_;
};

struct ScanCase {
    const char* name;
    bool includeSubDir, includeDir, dirOnly;
    std::vector<std::wstring> expected;  // names below the chosen folder, besides the folder itself
};

TEST_F(FileListPanelTest, AddFolderTakesWhatTheScanOptionsSay)
{
    MakeTree();
    const ScanCase cases[] = {
        {"none", false, false, false, {L"a.txt", L"IMG_1.jpg"}},
        {"dirs", false, true, false, {L"a.txt", L"IMG_1.jpg", L"sub", L"empty"}},
        {"subdirs", true, false, false, {L"a.txt", L"IMG_1.jpg", L"sub\\x.png"}},
        {"subdirs+dirs", true, true, false, {L"a.txt", L"IMG_1.jpg", L"sub\\x.png", L"sub", L"empty"}},
        {"dironly", false, false, true, {}},
        {"dironly+dirs+subdirs", true, true, true, {L"sub", L"empty"}},
    };
    for (const ScanCase& scan : cases) {
        SCOPED_TRACE(scan.name);
        Open();
        SetChecked(IDC_INCLUDE_SUBDIR, scan.includeSubDir);
        SetChecked(IDC_INCLUDE_DIR, scan.includeDir);
        SetChecked(IDC_DIR_ONLY, scan.dirOnly);
        dialog_->FileListPanel().AddChosenFolder(temp_.Path());

        std::vector<std::wstring> entries = Entries();
        ASSERT_FALSE(entries.empty());
        EXPECT_EQ(entries.front(), temp_.Path()) << "the chosen folder is always the first entry";
        if (scan.includeSubDir && scan.includeDir && !scan.dirOnly) {
            EXPECT_LT(IndexOf(entries, x_), IndexOf(entries, sub_)) << "a folder's content comes before it";
        }
        std::vector<std::wstring> expected;
        for (const std::wstring& name : scan.expected)
            expected.push_back(temp_ / name);
        entries.erase(entries.begin());
        std::sort(entries.begin(), entries.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(entries, expected);
        EXPECT_EQ(dialog_->LastFolder(), temp_.Path() + L"\\");
        EXPECT_EQ(Rows().size(), dialog_->Files().Count());
        TearDown();
    }
}

TEST_F(FileListPanelTest, RowsShowTimesAndAttributeLettersAndTheCaptionCounts)
{
    MakeTree();
    Open(L"\"" + a_ + L"\" \"" + temp_.Path() + L"\\missing.txt\"");
    ASSERT_EQ(Rows(), (std::vector<std::wstring>{a_, temp_ / L"missing.txt"}));
    // "%c" with English names whatever the locale: 06/21/13 14:05:09.
    const std::wregex shortDateTime(LR"(\d\d/\d\d/\d\d \d\d:\d\d:\d\d)");
    for (int column = 1; column <= 3; ++column) {
        EXPECT_TRUE(std::regex_match(View().Text(0, column), shortDateTime)) << View().Text(0, column);
        EXPECT_EQ(View().Text(1, column), L"") << "a missing file has no times";
    }
    EXPECT_FALSE(View().Text(0, 4).empty());
    EXPECT_EQ(Caption(),
              L"STEP 1: Add files - 2 files added in file list, you can select property category and edit the "
              L"proterties of these files in STEP 2 now.");
    Click(IDC_EMPTY_LIST);
    EXPECT_TRUE(Rows().empty());
    EXPECT_EQ(dialog_->Files().Count(), 0u);
    EXPECT_EQ(Caption(),
              L"STEP 1: Add files - You can use the following buttons to add files, or drag files from other window.");
}

struct FilterCase {
    const wchar_t* filter;
    bool exclude, caseSensitive;
    std::vector<std::wstring> shown;
};

TEST_F(FileListPanelTest, TypingAFilterRebuildsTheView)
{
    const std::vector<std::wstring> names = {L"IMG_1.jpg", L"photo.JPG", L"IMG.jpg", L"shot.png", L"notes.txt"};
    std::wstring commandLine;
    for (const std::wstring& name : names)
        commandLine += LR"("C:\pics\)" + name + L"\" ";
    Open(commandLine);

    const FilterCase cases[] = {
        {L"", false, false, names},
        {L"jpg", false, false, {L"IMG_1.jpg", L"photo.JPG", L"IMG.jpg"}},
        {L"jpg", false, true, {L"IMG_1.jpg", L"IMG.jpg"}},
        {L"jpg", true, false, {L"shot.png", L"notes.txt"}},
        {L"*.jpg|*.png", false, true, {L"IMG_1.jpg", L"IMG.jpg", L"shot.png"}},
        {L"IMG*.jpg", false, true, {L"IMG_1.jpg", L"IMG.jpg"}},
        {L"txt||jpg", false, false, {L"notes.txt"}},
        {L"|jpg", false, false, {}},
        {L"|jpg", true, false, names},
    };
    for (const FilterCase& filter : cases) {
        SCOPED_TRACE(testing::Message() << "filter '" << testing::PrintToString(std::wstring(filter.filter)) << "'");
        SetChecked(IDC_FILTER_EXCLUDE, filter.exclude);
        SetChecked(IDC_FILTER_CASE, filter.caseSensitive);
        TypeFilter(L"x");  // the check boxes are read at the next change
        TypeFilter(filter.filter);
        std::vector<std::wstring> expected;
        for (const std::wstring& name : filter.shown)
            expected.push_back(LR"(C:\pics\)" + name);
        EXPECT_EQ(Rows(), expected);
    }
    EXPECT_EQ(dialog_->Files().Count(), names.size()) << "the filter hides rows, never entries";
}

TEST_F(FileListPanelTest, MovingRowsLastsUntilTheNextRebuild)
{
    Open(L"a b c");
    SelectRows({2});
    Click(IDC_MOVE_UP);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"a", L"c", L"b"}));
    Click(IDC_MOVE_UP);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    Click(IDC_MOVE_UP);  // already first
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"c", L"a", L"b"}));
    EXPECT_EQ(View().SelectionMark(), 0);
    EXPECT_TRUE(View().IsSelected(0));
    Click(IDC_MOVE_DOWN);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"a", L"c", L"b"}));

    dialog_->AddPath(L"d");
    dialog_->RebuildFileView();
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"a", L"b", L"c", L"d"}));
}

TEST_F(FileListPanelTest, SelectAllInvertAndRemoveOnlyTouchShownSelectedRows)
{
    Open(L"one.jpg two.txt three.jpg four.txt");
    TypeFilter(L"jpg");
    ASSERT_EQ(Rows(), (std::vector<std::wstring>{L"one.jpg", L"three.jpg"}));
    Click(IDC_SELECT_ALL);
    EXPECT_EQ(View().SelectedCount(), 2);
    Click(IDC_INVERT_SELECTION);
    EXPECT_EQ(View().SelectedCount(), 0);
    SelectRows({1});
    Click(IDC_INVERT_SELECTION);
    EXPECT_TRUE(View().IsSelected(0));
    EXPECT_FALSE(View().IsSelected(1));

    Click(IDC_REMOVE);
    EXPECT_EQ(Rows(), (std::vector<std::wstring>{L"three.jpg"}));
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{L"two.txt", L"three.jpg", L"four.txt"}));
    EXPECT_NE(Caption().find(L" 3 files added"), std::wstring::npos) << testing::PrintToString(Caption());
}

TEST_F(FileListPanelTest, RemoveOnAnEmptyViewTellsTheUser)
{
    Open();
    MessageBoxAnswerer answer;
    Click(IDC_REMOVE);
    ASSERT_TRUE(answer.Seen());
    EXPECT_EQ(answer.Text(), L"There's no files in the file list to remove yet.");
}

// Builds the drop data the shell hands over when files are dragged onto a window.
HGLOBAL MakeDrop(const std::vector<std::wstring>& paths)
{
    size_t characters = 1;
    for (const std::wstring& path : paths)
        characters += path.size() + 1;
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + characters * sizeof(wchar_t));
    auto* drop = static_cast<DROPFILES*>(::GlobalLock(memory));
    drop->pFiles = sizeof(DROPFILES);
    drop->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(drop + 1);
    for (const std::wstring& path : paths) {
        path.copy(text, path.size());
        text += path.size() + 1;
    }
    ::GlobalUnlock(memory);
    return memory;
}

TEST_F(FileListPanelTest, DroppedFilesAndFoldersAreAddedOnce)
{
    MakeTree();
    Open(L"\"" + a_ + L"\"");
    SetChecked(IDC_INCLUDE_SUBDIR, true);
    ::SendMessageW(Window(), WM_DROPFILES, reinterpret_cast<WPARAM>(MakeDrop({a_, sub_, img_})), 0);
    PumpMessages();
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{a_, sub_, x_, img_}));
    EXPECT_EQ(Rows(), Entries());
}

TEST_F(FileListPanelTest, EditingTheListDisablesUndo)
{
    Open(L"a b");
    ::EnableWindow(Item(IDC_UNDO_CHANGES), TRUE);
    TypeFilter(L"a");
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_UNDO_CHANGES)));
    ::EnableWindow(Item(IDC_UNDO_CHANGES), TRUE);
    SelectRows({0});
    Click(IDC_REMOVE);
    EXPECT_FALSE(::IsWindowEnabled(Item(IDC_UNDO_CHANGES)));
}

}  // namespace

namespace {

// Finds the shell's folder picker of this process and types a folder into
// its edit box, then presses OK, as a user would.
class FolderPickerTyper {
public:
    // With `select`, picks the folder in the picker's tree instead of typing it.
    explicit FolderPickerTyper(std::wstring folder, bool select = false)
        : folder_(std::move(folder)), select_(select), thread_([this] { Run(); })
    {
    }
    ~FolderPickerTyper() { Join(); }
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    bool Found() const { return found_; }
    bool HadEditBox() const { return hadEdit_; }

private:
    void Run()
    {
        for (int i = 0; i < 400; ++i) {
            const HWND picker = FindOwnDialog(IDC_FILE_VIEW, false);
            if (picker != nullptr) {
                found_ = true;
                ::Sleep(200);  // let the picker finish its start-up selection
                for (HWND child = ::GetWindow(picker, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
                    texts_ += CWindow(child).Text() + L"\n";
                if (select_) {
                    ::SendMessageW(picker, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(folder_.c_str()));
                    ::PostMessageW(picker, WM_COMMAND, IDOK, 0);
                } else if (HWND edit = ::FindWindowExW(picker, nullptr, L"Edit", nullptr)) {
                    hadEdit_ = true;
                    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder_.c_str()));
                    ::PostMessageW(picker, WM_COMMAND, IDOK, 0);
                } else {
                    ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
                }
                return;
            }
            ::Sleep(25);
        }
    }

public:
    // The texts of the picker's controls, one a line.
    std::wstring Texts() const { return texts_; }

private:
    std::wstring texts_;
    std::wstring folder_;
    bool select_ = false;
    std::atomic<bool> found_{false};
    std::atomic<bool> hadEdit_{false};
    std::thread thread_;
};

TEST_F(FileListPanelTest, AddFolderThroughThePickerAddsTheFolderAndItsFiles)
{
    MakeTree();
    Open();
    {
        FolderPickerTyper user(temp_.Path(), true);
        Click(IDC_ADD_FOLDER);
        user.Join();
        ASSERT_TRUE(user.Found()) << "the folder picker did not appear";
    }
    std::vector<std::wstring> entries = Entries();
    ASSERT_FALSE(entries.empty());
    EXPECT_EQ(entries.front(), temp_.Path());
    std::sort(entries.begin() + 1, entries.end());
    std::vector<std::wstring> files = {a_, img_};
    std::sort(files.begin(), files.end());
    EXPECT_EQ(std::vector<std::wstring>(entries.begin() + 1, entries.end()), files);
    EXPECT_EQ(dialog_->LastFolder(), temp_.Path() + L"\\");
}

TEST_F(FileListPanelTest, TypingANewFolderInThePickerCreatesAddsAndScansIt)
{
    Open();
    const std::wstring typed = temp_ / LR"(new\deeper)";
    bool found = false, hadEditBox = false;
    std::wstring texts;
    {
        FolderPickerTyper user(typed);
        Click(IDC_ADD_FOLDER);
        user.Join();
        found = user.Found();
        hadEditBox = user.HadEditBox();
        texts = user.Texts();
    }
    ASSERT_TRUE(found) << "the folder picker did not appear";
    EXPECT_NE(texts.find(L"Please select folder:\n"), std::wstring::npos) << "the picker's default title";
    if (!hadEditBox)
        GTEST_SKIP() << "this system's folder picker shows no edit box for typing a folder (Wine's does not)";
    const DWORD attributes = ::GetFileAttributesW(typed.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "this system's folder picker does not hand a typed, missing folder to its validation callback";
    EXPECT_TRUE(attributes & FILE_ATTRIBUTE_DIRECTORY);
    EXPECT_EQ(Entries(), (std::vector<std::wstring>{typed}));
    EXPECT_EQ(dialog_->LastFolder(), typed + L"\\");
}

}  // namespace

namespace {

// Finds the open-file dialog of this process, types names into its file name
// box and presses Open, as a user would.
class OpenDialogTyper {
public:
    explicit OpenDialogTyper(std::wstring names) : names_(std::move(names)), thread_([this] { Run(); }) {}
    ~OpenDialogTyper() { Join(); }
    void Join()
    {
        if (thread_.joinable())
            thread_.join();
    }
    bool Typed() const { return typed_; }

private:
    static constexpr int kFileNameBox = 1152;

    void Run()
    {
        for (int i = 0; i < 400; ++i) {
            const HWND dialog = FindOwnDialog(kFileNameBox, true);
            if (dialog != nullptr) {
                ::Sleep(300);  // let the dialog show its folder
                ::SendMessageW(::GetDlgItem(dialog, kFileNameBox), WM_SETTEXT, 0,
                               reinterpret_cast<LPARAM>(names_.c_str()));
                ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                               reinterpret_cast<LPARAM>(::GetDlgItem(dialog, IDOK)));
                typed_ = true;
                return;
            }
            ::Sleep(25);
        }
    }

    std::wstring names_;
    std::atomic<bool> typed_{false};
    std::thread thread_;
};

TEST_F(FileListPanelTest, AddFilesOpensInTheLastFolderAndAddsTheChosenFiles)
{
    MakeTree();
    MainSettings settings;
    settings.lastFolder = temp_.Path() + L"\\";
    CreateFolderPath(GetDataFolder());
    ASSERT_TRUE(WriteWholeFile(GetDataFolder() + kSettingsFileName, EncodeSettings(settings)));
    Open(L"", true);

    bool typed = false;
    {
        OpenDialogTyper user(L"\"IMG_1.jpg\" \"a.txt\"");
        Click(IDC_ADD_FILES);
        user.Join();
        typed = user.Typed();
    }
    ASSERT_TRUE(typed) << "the open-file dialog did not appear";
    std::vector<std::wstring> entries = Entries();
    std::vector<std::wstring> expected = {a_, img_};
    std::sort(entries.begin(), entries.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(entries, expected);
    EXPECT_EQ(Rows().size(), 2u);
    EXPECT_EQ(dialog_->LastFolder(), temp_.Path() + L"\\");
}

}  // namespace

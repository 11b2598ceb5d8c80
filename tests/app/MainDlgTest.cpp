#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "app/MainDlg.h"
#include "resource.h"
#include "testing/MainWindowFixture.h"

namespace {

class MainDlgTest : public MainWindowFixture {
protected:
    // Resizes the outer window and lets the layout run.
    void ResizeTo(int width, int height)
    {
        ::SetWindowPos(dialog_->Handle(), nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
        PumpMessages();
    }
};

// What the layout leaves of a control's resource rectangle.
enum Kept { All, LeftTop, TopOnly, Moved };

struct ControlRow {
    Kept kept;
    int id;
    const wchar_t* className;
    const wchar_t* text;
    int x, y, width, height;  // dialog units
    DWORD styleBits;          // must all be set (0: none checked)
    bool visible;
    bool enabled;
};

// Every identified control as the resource defines it.
const ControlRow kControls[] = {
    {LeftTop, 1060, L"Button", L"STEP 1: Add files - You can use the following buttons to add files, or drag files from other window.", 7, 17, 519, 155, BS_GROUPBOX, true, true},
    {All, 1004, L"Button", L"Add Files", 9, 26, 48, 15, 0, true, true},
    {All, 1003, L"Button", L"Add Folder", 59, 26, 54, 15, 0, true, true},
    {All, 1005, L"Button", L"IncludeSubDir", 116, 29, 54, 10, BS_AUTOCHECKBOX, true, true},
    {All, 1006, L"Button", L"IncludeDir", 172, 29, 41, 10, BS_AUTOCHECKBOX, true, true},
    {All, 1007, L"Button", L"DirOnly", 215, 29, 33, 10, BS_AUTOCHECKBOX, true, true},
    {All, 1008, L"Edit", L"", 275, 28, 101, 12, ES_AUTOHSCROLL, true, true},
    {All, 1011, L"Button", L"Exclude", 378, 29, 36, 10, BS_AUTOCHECKBOX, true, true},
    {All, 1010, L"Button", L"Case", 415, 29, 25, 10, BS_AUTOCHECKBOX, true, true},
    {All, 1040, L"Button", L"QuickView", 451, 29, 44, 10, BS_AUTOCHECKBOX, true, true},
    {LeftTop, 1036, L"Static", L"", 9, 42, 438, 1, SS_ETCHEDHORZ, true, true},
    {All, 1016, L"Button", L"", 9, 45, 16, 15, BS_ICON, true, true},
    {All, 1019, L"Button", L"", 9, 61, 16, 15, BS_ICON, true, true},
    {All, 1009, L"Button", L"", 9, 77, 16, 15, BS_ICON, true, true},
    {All, 1012, L"Button", L"", 9, 93, 16, 15, BS_ICON, true, true},
    {All, 1013, L"Button", L"", 9, 109, 16, 15, BS_ICON, true, true},
    {All, 1014, L"Button", L"", 9, 123, 16, 15, BS_ICON, true, true},
    {All, 1057, L"Button", L"", 9, 139, 16, 15, BS_ICON, true, true},
    {LeftTop, 1015, L"SysListView32", L"", 27, 45, -1, 124, LVS_REPORT | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER, true, true},
    {TopOnly, 1048, L"Button", L"Preview", 290, 44, 177, 126, BS_GROUPBOX, false, true},
    {TopOnly, 1056, L"Button", L"Show media preview", 332, 44, 77, 9, BS_AUTOCHECKBOX, false, true},
    {Moved, 1053, L"Edit", L"", 294, 55, 153, 113, ES_MULTILINE | ES_READONLY, false, true},
    {LeftTop, 1035, L"Button", L"STEP 2: Select the property category and edit file properties template - the following properties will be used as a template to set to all the files above.", 7, 175, 519, 119, BS_GROUPBOX, true, true},
    {All, 1047, L"ListBox", L"", 9, 185, 94, 106, LBS_NOTIFY, true, true},
    {All, 1042, L"ComboBox", L"", 105, 185, 113, -1, CBS_DROPDOWNLIST | CBS_SORT, true, false},
    {All, 1044, L"Button", L"", 220, 185, 15, 13, BS_ICON, true, false},
    {All, 1045, L"Button", L"", 236, 185, 15, 13, BS_ICON, true, false},
    {All, 1027, L"ListBox", L"", 105, 199, 146, 92, LBS_SORT | LBS_EXTENDEDSEL, true, true},
    {LeftTop, 1050, L"ComboBox", L"", 254, 185, 92, -1, CBS_DROPDOWN, true, true},
    {TopOnly, 1055, L"Button", L"Add Variable", 348, 185, 53, 13, 0, true, true},
    {TopOnly, 1017, L"SysDateTimePick32", L"", 402, 184, 59, 15, 0, false, false},
    {TopOnly, 1018, L"SysDateTimePick32", L"", 461, 184, 52, 15, DTS_TIMEFORMAT, false, false},
    {All, 1038, L"Button", L"Yes", 259, 187, 27, 10, BS_AUTORADIOBUTTON, false, true},
    {All, 1059, L"Button", L"No", 290, 187, 25, 10, BS_AUTORADIOBUTTON, false, true},
    {LeftTop, 1028, L"Edit", L"", 254, 200, 151, 79, ES_MULTILINE, true, true},
    {TopOnly, 1054, L"Button", L"Convert text to bytes", 342, 236, 77, 13, 0, false, true},
    {LeftTop, 1061, L"Static", L"The text below is converted from the binary value, if you enter text above, please convert it to binary.", 258, 238, 326, 8, 0, false, true},
    {LeftTop, 1049, L"Edit", L"", 254, 250, 157, 29, ES_MULTILINE | ES_READONLY, false, true},
    {LeftTop, 1046, L"Static", L"", 254, 281, 156, 10, 0, true, true},
    {All, 1058, L"Button", L"Keep files' date time properties when modify others", 341, 295, 174, 9, BS_AUTOCHECKBOX, true, true},
    {LeftTop, 1037, L"Button", L"STEP 3: Start changing files, you can undo the changes if needed. The result will be shown below.", 7, 295, 519, 70, BS_GROUPBOX, true, true},
    {All, 1000, L"Button", L"Apply Changes", 9, 305, 62, 29, 0, true, true},
    {All, 1001, L"Button", L"Undo Changes", 9, 336, 62, 29, 0, true, false},
    {LeftTop, 1030, L"Edit", L"", 73, 305, 447, 58, ES_MULTILINE | ES_AUTOHSCROLL, true, true},
};

TEST_F(MainDlgTest, HasTheTitleAndEveryControlInPlace)
{
    Open();
    EXPECT_EQ(dialog_->Text(), L"Nimbrel 3.75");
    const LONG_PTR dialogStyle = ::GetWindowLongPtrW(dialog_->Handle(), GWL_STYLE);
    EXPECT_EQ(dialogStyle & WS_CAPTION, WS_BORDER & 0) << "the program draws its own caption";
    EXPECT_TRUE(dialogStyle & WS_THICKFRAME);

    // Positions are the resource's, except where the first layout moved them.
    for (const ControlRow& row : kControls) {
        SCOPED_TRACE(testing::Message() << "control " << row.id);
        const HWND control = Item(row.id);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(ClassNameOf(control), row.className);
        if (ClassNameOf(control) != L"ComboBox" && ClassNameOf(control) != L"SysDateTimePick32") {
            EXPECT_EQ(CWindow(control).Text(), row.text);
        }
        const DWORD style = static_cast<DWORD>(::GetWindowLongPtrW(control, GWL_STYLE));
        EXPECT_EQ(style & row.styleBits, row.styleBits);
        EXPECT_EQ((style & WS_VISIBLE) != 0, row.visible);
        EXPECT_EQ(::IsWindowEnabled(control) != FALSE, row.enabled);

        const RECT expected = DialogUnitsToPixels(dialog_->Handle(), row.x, row.y, row.width,
                                                  row.height < 0 ? 0 : row.height);
        const RECT actual = RectInParent(control);
        if (row.kept == Moved)
            continue;
        EXPECT_EQ(actual.top, expected.top);
        if (row.kept == TopOnly) {
            EXPECT_EQ(actual.right - actual.left, expected.right - expected.left);
        } else {
            EXPECT_EQ(actual.left, expected.left);
        }
        if (row.kept == All && row.width >= 0) {
            EXPECT_EQ(actual.right, expected.right);
        }
        if (row.kept != TopOnly && row.id != 1030 && row.id != 1037 && row.height >= 0) {
            EXPECT_EQ(actual.bottom, expected.bottom);
        }
    }
}

TEST_F(MainDlgTest, FileViewColumnsCategoriesAndTooltips)
{
    Open();
    const HWND view = Item(IDC_FILE_VIEW);
    const HWND header = reinterpret_cast<HWND>(::SendMessageW(view, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0), 5);
    const std::pair<const wchar_t*, int> columns[] = {
        {L"File name", 280}, {L"Create time", 118}, {L"Modify time", 118}, {L"Access time", 118}, {L"Attribute", 90}};
    for (int i = 0; i < 5; ++i) {
        wchar_t title[64] = {};
        LVCOLUMNW column = {};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        column.pszText = title;
        column.cchTextMax = 64;
        ASSERT_TRUE(::SendMessageW(view, LVM_GETCOLUMNW, i, reinterpret_cast<LPARAM>(&column)));
        EXPECT_STREQ(title, columns[i].first);
        EXPECT_EQ(column.cx, columns[i].second);
        EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
    }
    const DWORD extended = static_cast<DWORD>(::SendMessageW(view, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & (LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT), DWORD(LVS_EX_INFOTIP | LVS_EX_FULLROWSELECT));

    const HWND categories = Item(IDC_CATEGORY_LIST);
    ASSERT_EQ(::SendMessageW(categories, LB_GETCOUNT, 0, 0), 6);
    const wchar_t* texts[] = {L"File date time", L"File attributes", L"Document summary",
                              L"Picture properties (EXIF)", L"MP3 ID3 Tags", L"AVI properties"};
    for (int i = 0; i < 6; ++i) {
        wchar_t text[64] = {};
        ::SendMessageW(categories, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        EXPECT_STREQ(text, texts[i]);
    }
    EXPECT_EQ(::SendMessageW(categories, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(dialog_->SelectedCategoryText(), L"");
    EXPECT_EQ(dialog_->SelectedCategory(), PropertyCategory::None);
    ::SendMessageW(categories, LB_SETCURSEL, 3, 0);
    EXPECT_EQ(dialog_->SelectedCategory(), PropertyCategory::PictureExif);

    EXPECT_EQ(dialog_->ToolTips().GetText(Item(IDC_MOVE_UP)),
              L"Move the selected file or folder up, so that it will be processed earlier.");
    EXPECT_EQ(dialog_->ToolTips().GetText(Item(IDC_CONVERT_TO_BYTES)),
              L"Convert the entered plain text above into the binary format, to set \"Byte\" type property");
    EXPECT_NE(::SendMessageW(Item(IDC_EMPTY_LIST), BM_GETIMAGE, IMAGE_ICON, 0), 0);
}

TEST_F(MainDlgTest, CommandLinePathsEnterTheFileListOnce)
{
    Open(LR"("C:\a b\c.txt" d.txt "C:\a b\c.txt")");
    ASSERT_EQ(dialog_->Files().Count(), 2u);
    EXPECT_EQ(dialog_->Files().At(0), LR"(C:\a b\c.txt)");
    EXPECT_EQ(dialog_->Files().At(1), L"d.txt");
    const HWND view = Item(IDC_FILE_VIEW);
    ASSERT_EQ(::SendMessageW(view, LVM_GETITEMCOUNT, 0, 0), 2);
    wchar_t text[MAX_PATH] = {};
    LVITEMW item = {};
    item.pszText = text;
    item.cchTextMax = MAX_PATH;
    ::SendMessageW(view, LVM_GETITEMTEXTW, 0, reinterpret_cast<LPARAM>(&item));
    EXPECT_STREQ(text, LR"(C:\a b\c.txt)");
}

TEST_F(MainDlgTest, ResizingMovesTheControlsByTheLayoutRules)
{
    Open();
    PumpMessages();
    for (const SIZE size : {SIZE{1200, 900}, SIZE{1000, 760}}) {
        ResizeTo(size.cx, size.cy);
        const RECT client = ClientRectOf(dialog_->Handle());
        const int W = client.right, H = client.bottom;
        SCOPED_TRACE(testing::Message() << "client " << W << " x " << H);

        const RECT log = RectInParent(Item(IDC_RESULT_LOG));
        EXPECT_EQ(log.right, W - 18);
        EXPECT_EQ(log.bottom, H - 10);
        EXPECT_EQ(RectInParent(Item(IDC_FILE_VIEW)).right, W - 18);
        EXPECT_EQ(RectInParent(Item(IDC_VALUE_EDITOR)).right, W - 18);
        const RECT time = RectInParent(Item(IDC_TIME_PICKER));
        const RECT date = RectInParent(Item(IDC_DATE_PICKER));
        const RECT combo = RectInParent(Item(IDC_COMMAND_COMBO));
        const RECT variable = RectInParent(Item(IDC_ADD_VARIABLE));
        EXPECT_EQ(time.right, W - 18);
        EXPECT_EQ(date.right, time.left - 5);
        EXPECT_EQ(combo.right, date.left - 5);
        EXPECT_EQ(variable.left, combo.right + 5);
        EXPECT_EQ(RectInParent(Item(IDC_BYTE_PREVIEW_LABEL)).right, W - 162);
        EXPECT_EQ(RectInParent(Item(IDC_PREVIEW_GROUP)).right, W - 15);
        for (int group : {IDC_STEP1_GROUP, IDC_STEP2_GROUP, IDC_STEP3_GROUP})
            EXPECT_EQ(RectInParent(Item(group)).right, W - 12);
        EXPECT_EQ(RectInParent(Item(IDC_STEP3_GROUP)).bottom, H - 8);
        EXPECT_EQ(RectInParent(Item(IDC_STEP1_LINE)).right, W - 16);
        EXPECT_EQ(RectInParent(Item(IDC_HELP_LINE)).right, W - 18);

        RECT window = {};
        ::GetWindowRect(dialog_->Handle(), &window);
        EXPECT_EQ(dialog_->WindowWidth(), window.right - window.left);
        EXPECT_EQ(dialog_->WindowHeight(), window.bottom - window.top);
    }
    // Controls that must not grow keep their height.
    EXPECT_EQ(RectInParent(Item(IDC_FILE_VIEW)).bottom - RectInParent(Item(IDC_FILE_VIEW)).top,
              DialogUnitsToPixels(dialog_->Handle(), 0, 0, 0, 124).bottom);
}

TEST_F(MainDlgTest, RefusesToShrinkBelowTheMinimumTrackingSize)
{
    Open();
    MINMAXINFO info = {};
    ::SendMessageW(dialog_->Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 900);
    EXPECT_EQ(info.ptMinTrackSize.y, 710);

    ResizeTo(500, 400);
    RECT window = {};
    ::GetWindowRect(dialog_->Handle(), &window);
    EXPECT_GE(window.right - window.left, 900);
    EXPECT_GE(window.bottom - window.top, 710);
}

TEST_F(MainDlgTest, QuickViewShowsThePreviewBesideTheFileView)
{
    Open();
    PumpMessages();
    ResizeTo(1100, 800);
    const HWND quickView = Item(IDC_QUICK_VIEW);
    ::SendMessageW(quickView, BM_CLICK, 0, 0);
    PumpMessages();
    ASSERT_EQ(::SendMessageW(quickView, BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_PREVIEW_GROUP)));
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_MEDIA_PREVIEW)));
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_QUICK_VIEW_TEXT)));
    const RECT group = RectInParent(Item(IDC_PREVIEW_GROUP));
    EXPECT_EQ(RectInParent(Item(IDC_FILE_VIEW)).right, group.left - 3);

    // Widening keeps the group 15 pixels from the right edge, the view beside it.
    ResizeTo(1300, 800);
    const int W = ClientRectOf(dialog_->Handle()).right;
    const RECT wider = RectInParent(Item(IDC_PREVIEW_GROUP));
    EXPECT_EQ(wider.right, W - 15);
    EXPECT_EQ(wider.right - wider.left, group.right - group.left);
    EXPECT_EQ(RectInParent(Item(IDC_FILE_VIEW)).right, wider.left - 3);
    EXPECT_EQ(RectInParent(Item(IDC_QUICK_VIEW_TEXT)).left, wider.left + 4);
    EXPECT_EQ(RectInParent(Item(IDC_QUICK_VIEW_TEXT)).top, wider.top + 20);

    ::SendMessageW(quickView, BM_CLICK, 0, 0);
    PumpMessages();
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_PREVIEW_GROUP)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_MEDIA_PREVIEW)));
    EXPECT_FALSE(::IsWindowVisible(Item(IDC_QUICK_VIEW_TEXT)));
    EXPECT_EQ(RectInParent(Item(IDC_FILE_VIEW)).right, W - 9);
}

// Runs the real modal loop while another thread acts as the user.
TEST(MainDlgModalTest, EnterAndEscapeNeverCloseTheWindowButClosingDoes)
{
    CMainDlg dialog(L"");
    std::atomic<bool> ended{false};
    std::atomic<bool> stillOpenAfterKeys{false};

    std::thread user([&] {
        HWND window = nullptr;
        for (int i = 0; i < 200 && window == nullptr; ++i) {
            window = ::FindWindowW(nullptr, L"Nimbrel 3.75");
            ::Sleep(25);
        }
        if (window == nullptr)
            return;
        for (int id : {IDC_VALUE_EDITOR, IDC_FILTER_TEXT, IDC_RESULT_LOG, IDC_CATEGORY_LIST}) {
            const HWND control = ::GetDlgItem(window, id);
            for (WPARAM key : {WPARAM(VK_ESCAPE), WPARAM(VK_RETURN)}) {
                ::PostMessageW(control, WM_KEYDOWN, key, 1);
                ::PostMessageW(control, WM_KEYUP, key, 0xC0000001);
            }
        }
        ::PostMessageW(window, WM_KEYDOWN, VK_ESCAPE, 1);
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        ::PostMessageW(window, WM_COMMAND, IDOK, 0);
        // Give the modal loop time to take every posted key.
        ::Sleep(500);
        stillOpenAfterKeys = !ended && ::IsWindow(window);
        ::PostMessageW(window, WM_CLOSE, 0, 0);
    });

    const INT_PTR result = dialog.DoModal();
    ended = true;
    user.join();
    if (result == -1)
        GTEST_SKIP() << "the main window could not be created (no display?)";
    EXPECT_TRUE(stillOpenAfterKeys);
    EXPECT_FALSE(dialog.IsWindow());
}

}  // namespace

#include <windows.h>

#include <gtest/gtest.h>

#include "app/SettingsFile.h"
#include "support/DataFolder.h"
#include "support/FileHelpers.h"
#include "testing/MainWindowFixture.h"
#include "testing/TempFolder.h"

namespace {

int32_t IntAt(const std::string& bytes, size_t offset)
{
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = (value << 8) | static_cast<uint8_t>(bytes.at(offset + i));
    return static_cast<int32_t>(value);
}

class MainSettingsTest : public MainWindowFixture {
protected:
    std::wstring SettingsPath() const { return GetDataFolder() + L"NBL.cfg"; }
    std::string SettingsBytes() const
    {
        std::string bytes;
        ReadWholeFile(SettingsPath(), bytes);
        return bytes;
    }
    // A settings file with the given window size and defaults otherwise.
    void MainSettingsTestFile(int width, int height) const
    {
        MainSettings settings;
        settings.windowWidth = width;
        settings.windowHeight = height;
        CreateFolderPath(GetDataFolder());
        ASSERT_TRUE(WriteWholeFile(SettingsPath(), EncodeSettings(settings)));
    }
    void Close()
    {
        dialog_->Destroy();
        PumpMessages();
    }
};

TEST_F(MainSettingsTest, ClosingWritesTheOptionsFieldByField)
{
    TempFolder temp{L"cfg"};
    Open();
    SetChecked(IDC_FILTER_CASE, true);
    SetChecked(IDC_INCLUDE_DIR, true);
    SetChecked(IDC_QUICK_VIEW, true);
    dialog_->FileListPanel().AddChosenFolder(temp.Path());
    ::SetWindowPos(Window(), nullptr, 0, 0, 1010, 777, SWP_NOMOVE | SWP_NOZORDER);
    Close();

    const std::string bytes = SettingsBytes();
    const std::wstring folder = temp.Path() + L"\\";
    ASSERT_EQ(bytes.size(), 76 + 4 + 2 * folder.size() + 28);
    const int32_t expectedStart[] = {0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 1, 1, 0, 0, 0};
    for (size_t field = 0; field < std::size(expectedStart); ++field)
        EXPECT_EQ(IntAt(bytes, field * 4), expectedStart[field]) << "field " << field + 1;
    EXPECT_EQ(bytes.substr(76, 3), "\xFF\xFE\xFF");
    ASSERT_LT(folder.size(), 255u);
    EXPECT_EQ(static_cast<uint8_t>(bytes[79]), folder.size());
    EXPECT_EQ(bytes.substr(80, 2), std::string(1, static_cast<char>(folder[0])) + '\0');
    const size_t tail = 80 + 2 * folder.size();
    EXPECT_EQ(IntAt(bytes, tail), 11) << "theme";
    EXPECT_EQ(IntAt(bytes, tail + 4), 1010);
    EXPECT_EQ(IntAt(bytes, tail + 8), 777);
    EXPECT_EQ(IntAt(bytes, tail + 12), 0) << "maximized";
    EXPECT_EQ(IntAt(bytes, tail + 16), 0) << "counter";
    EXPECT_EQ(IntAt(bytes, tail + 20), 1) << "QuickView";
    EXPECT_EQ(IntAt(bytes, tail + 24), 0) << "media preview";

    Open(L"", true);
    EXPECT_EQ(::SendMessageW(Item(IDC_FILTER_CASE), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(Item(IDC_INCLUDE_DIR), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(::SendMessageW(Item(IDC_QUICK_VIEW), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(::IsWindowVisible(Item(IDC_PREVIEW_GROUP))) << "QuickView comes back with its layout";
    EXPECT_EQ(::SendMessageW(Item(IDC_FILTER_EXCLUDE), BM_GETCHECK, 0, 0), BST_UNCHECKED);
    EXPECT_EQ(dialog_->LastFolder(), folder);
    RECT window = {};
    ::GetWindowRect(Window(), &window);
    EXPECT_EQ(window.right - window.left, 1010);
    EXPECT_EQ(window.bottom - window.top, 777);
}

TEST_F(MainSettingsTest, AFileCutAfterTheSeventhFieldRestoresOnlyThoseBefore)
{
    std::string bytes(28, '\0');
    for (size_t offset : {4u, 12u, 16u, 24u})  // Case, DirOnly, Exclude, IncludeDir
        bytes[offset] = 1;
    CreateFolderPath(GetDataFolder());
    ASSERT_TRUE(WriteWholeFile(SettingsPath(), bytes));
    Open(L"", true);
    for (int id : {IDC_FILTER_CASE, IDC_DIR_ONLY, IDC_FILTER_EXCLUDE, IDC_INCLUDE_DIR})
        EXPECT_EQ(::SendMessageW(Item(id), BM_GETCHECK, 0, 0), BST_CHECKED) << id;
    for (int id : {IDC_INCLUDE_SUBDIR, IDC_QUICK_VIEW, IDC_MEDIA_PREVIEW})
        EXPECT_EQ(::SendMessageW(Item(id), BM_GETCHECK, 0, 0), BST_UNCHECKED) << id;
    EXPECT_EQ(dialog_->LastFolder(), L"");
    EXPECT_EQ(dialog_->ProcessedFiles(), 0);
}

TEST_F(MainSettingsTest, AWindowSizeBeyondTheScreensIsHeldToThem)
{
    MainSettingsTestFile(100000, -7);
    Open(L"", true);
    RECT window = {};
    ::GetWindowRect(Window(), &window);
    EXPECT_LE(window.right - window.left, std::max(::GetSystemMetrics(SM_CXVIRTUALSCREEN), 900));
    EXPECT_EQ(window.bottom - window.top, 710);
    EXPECT_GE(window.left, ::GetSystemMetrics(SM_XVIRTUALSCREEN));
}

TEST_F(MainSettingsTest, MaximizedCloseKeepsTheRestoredSize)
{
    Open();
    ::SetWindowPos(Window(), nullptr, 0, 0, 1020, 730, SWP_NOMOVE | SWP_NOZORDER);
    PumpMessages();
    ::ShowWindow(Window(), SW_MAXIMIZE);
    PumpMessages();
    if (!::IsZoomed(Window()))
        GTEST_SKIP() << "this display does not maximize windows";
    Close();
    const std::string bytes = SettingsBytes();
    ASSERT_EQ(bytes.size(), 108u);  // 19 fields, an empty string, 7 fields
    EXPECT_EQ(IntAt(bytes, 84), 1020);
    EXPECT_EQ(IntAt(bytes, 88), 730);
    EXPECT_EQ(IntAt(bytes, 92), 1) << "maximized";

    Open(L"", true);
    EXPECT_FALSE(::IsZoomed(Window())) << "the maximized state is stored, not applied";
    RECT window = {};
    ::GetWindowRect(Window(), &window);
    EXPECT_EQ(window.right - window.left, 1020);
    EXPECT_EQ(window.bottom - window.top, 730);
}

TEST_F(MainSettingsTest, TheProcessedFilesCounterGrowsAcrossRuns)
{
    TempFolder temp{L"count"};
    const std::wstring commandLine = L"\"" + temp.MakeFile(L"a.txt") + L"\" \"" + temp.MakeFile(L"b.txt") + L"\"";
    Open(commandLine);
    SelectCategory(1);  // "File attributes"
    Click(IDC_APPLY_CHANGES);
    Close();
    EXPECT_EQ(IntAt(SettingsBytes(), 96), 2);

    Open(commandLine, true);
    EXPECT_EQ(dialog_->ProcessedFiles(), 2);
    SelectCategory(1);
    Click(IDC_APPLY_CHANGES);
    Click(IDC_UNDO_CHANGES);
    Close();
    EXPECT_EQ(IntAt(SettingsBytes(), 96), 4);
}

}  // namespace

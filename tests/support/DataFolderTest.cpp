#include <windows.h>

#include <gtest/gtest.h>

#include "support/DataFolder.h"
#include "support/FileHelpers.h"
#include "testing/TempFolder.h"

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

TEST(DataFolderTest, FoldersEndWithABackslash)
{
    const std::wstring appData = GetAppDataFolder();
    ASSERT_FALSE(appData.empty());
    EXPECT_EQ(appData.back(), L'\\');
    EXPECT_TRUE(IsFolder(appData));
    EXPECT_EQ(GetDataFolder(), appData + L"Nimbrel\\");

    const std::wstring module = GetModuleFolder();
    ASSERT_FALSE(module.empty());
    EXPECT_EQ(module.back(), L'\\');
    wchar_t exe[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    EXPECT_EQ(std::wstring(exe).rfind(module, 0), 0u);
}

TEST(CreateFolderPathTest, CreatesEveryMissingFolderAndReportsTheDeepest)
{
    TempFolder temp;
    const std::wstring deep = temp / LR"(B\C)";
    EXPECT_TRUE(CreateFolderPath(deep));
    EXPECT_TRUE(IsFolder(temp / L"B"));
    EXPECT_TRUE(IsFolder(deep));
    EXPECT_FALSE(CreateFolderPath(deep));          // already there
    EXPECT_FALSE(CreateFolderPath(deep + L"\\"));  // the same, spelled with the backslash
    EXPECT_TRUE(CreateFolderPath(deep + L"\\D\\"));
}

TEST(CreateFolderPathTest, StopsAtAFolderThatCannotBeMade)
{
    TempFolder temp;
    temp.MakeFile(L"blocker");
    EXPECT_FALSE(CreateFolderPath(temp / LR"(blocker\below\deeper)"));
    EXPECT_FALSE(FileExists(temp / LR"(blocker\below)"));
}

TEST(CreateFolderPathTest, DriveRootsAndBarePathsCreateNothing)
{
    EXPECT_FALSE(CreateFolderPath(L"C:\\"));
    EXPECT_FALSE(CreateFolderPath(L"C:"));
    EXPECT_FALSE(CreateFolderPath(L""));
}

}  // namespace

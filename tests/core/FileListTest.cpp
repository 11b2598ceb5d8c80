#include <gtest/gtest.h>

#include "core/FileList.h"

namespace {

std::vector<std::wstring> Entries(const FileList& list)
{
    std::vector<std::wstring> entries;
    list.ForEach([&](const std::wstring& path) { entries.push_back(path); });
    return entries;
}

TEST(FileListTest, KeepsInsertionOrderAndDropsExactDuplicates)
{
    FileList list;
    EXPECT_TRUE(list.AddPath(LR"(C:\b.txt)"));
    EXPECT_TRUE(list.AddPath(LR"(C:\a.txt)"));
    EXPECT_FALSE(list.AddPath(LR"(C:\b.txt)"));
    EXPECT_TRUE(list.AddPath(LR"(C:\c.txt)"));
    EXPECT_EQ(Entries(list),
              (std::vector<std::wstring>{LR"(C:\b.txt)", LR"(C:\a.txt)", LR"(C:\c.txt)"}));
}

TEST(FileListTest, PathsDifferingInCaseAreTwoEntries)
{
    FileList list;
    EXPECT_TRUE(list.AddPath(LR"(C:\a.txt)"));
    EXPECT_TRUE(list.AddPath(LR"(c:\A.TXT)"));
    EXPECT_EQ(list.Count(), 2u);
}

TEST(FileListTest, RemoveAndClearKeepTheIndexInStep)
{
    FileList list;
    for (const wchar_t* path : {L"1", L"2", L"3"})
        list.AddPath(path);
    EXPECT_TRUE(list.Remove(L"2"));
    EXPECT_FALSE(list.Remove(L"2"));
    EXPECT_EQ(Entries(list), (std::vector<std::wstring>{L"1", L"3"}));
    EXPECT_TRUE(list.AddPath(L"2"));  // may come back, now at the end
    EXPECT_EQ(Entries(list), (std::vector<std::wstring>{L"1", L"3", L"2"}));
    list.Clear();
    EXPECT_TRUE(list.Empty());
    EXPECT_TRUE(list.AddPath(L"1"));
}

// Short paths live inside the string object itself; the index must survive
// the vector growing under it many times over.
TEST(FileListTest, HundredThousandShortAndLongPathsStayUnique)
{
    FileList list;
    const int count = 100000;
    for (int i = 0; i < count; ++i)
        ASSERT_TRUE(list.AddPath((i % 2 ? L"C:\\a\\long\\folder\\name\\file" : L"s") + std::to_wstring(i)));
    for (int i = 0; i < count; i += 997)
        EXPECT_FALSE(list.AddPath((i % 2 ? L"C:\\a\\long\\folder\\name\\file" : L"s") + std::to_wstring(i)));
    EXPECT_EQ(list.Count(), static_cast<size_t>(count));
    EXPECT_EQ(list.At(0), L"s0");
    EXPECT_EQ(list.At(count - 1), L"C:\\a\\long\\folder\\name\\file" + std::to_wstring(count - 1));
}

}  // namespace

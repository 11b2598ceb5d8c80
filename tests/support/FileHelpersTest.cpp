#include <windows.h>

#include <gtest/gtest.h>

#include "support/FileHelpers.h"
#include "support/UniqueHandle.h"
#include "testing/TempFolder.h"

namespace {

UniqueHandle OpenExclusive(const std::wstring& path)
{
    return UniqueHandle(::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::string ReadBack(const std::wstring& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

TEST(FileExistsTest, EmptyPathsFilesAndFolders)
{
    TempFolder temp;
    EXPECT_FALSE(FileExists(L""));
    EXPECT_TRUE(FileExists(temp.Path()));
    EXPECT_TRUE(FileExists(temp.MakeFile(L"a.txt")));
    EXPECT_FALSE(FileExists(temp / L"missing.txt"));
}

TEST(ReadWholeFileTest, ReadsEveryByteIncludingZeros)
{
    TempFolder temp;
    const std::string content("a\0b\r\n\xff\0", 7);
    const std::wstring path = temp.MakeFile(L"\u041f\u0440\u0438\u0432\u0435\u0442.bin", content);
    std::string bytes = "old";
    EXPECT_EQ(ReadWholeFile(path, bytes), 7);
    EXPECT_EQ(bytes, content);
}

TEST(ReadWholeFileTest, EmptyMissingAndLockedFiles)
{
    TempFolder temp;
    std::string bytes = "old";
    EXPECT_EQ(ReadWholeFile(temp.MakeFile(L"empty", ""), bytes), 0);
    EXPECT_TRUE(bytes.empty());
    EXPECT_EQ(ReadWholeFile(temp / L"missing", bytes), -1);

    const std::wstring locked = temp.MakeFile(L"locked", "xyz");
    const UniqueHandle holder = OpenExclusive(locked);
    ASSERT_TRUE(holder);
    EXPECT_EQ(ReadWholeFile(locked, bytes), -1);
}

TEST(WriteWholeFileTest, ReplacesTheContent)
{
    TempFolder temp;
    const std::wstring path = temp.MakeFile(L"f.bin", "a much longer old content");
    const std::string content("new\0", 4);
    EXPECT_TRUE(WriteWholeFile(path, content));
    EXPECT_EQ(ReadBack(path), content);

    EXPECT_TRUE(WriteWholeFile(path, ""));
    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), 0);

    const std::wstring created = temp / L"new.bin";
    EXPECT_TRUE(WriteWholeFile(created, "x"));
    EXPECT_EQ(ReadBack(created), "x");
}

TEST(WriteWholeFileTest, FailsOnLockedAndReadOnlyFilesWithoutTouchingThem)
{
    TempFolder temp;
    const std::wstring locked = temp.MakeFile(L"locked", "keep");
    {
        const UniqueHandle holder = OpenExclusive(locked);
        ASSERT_TRUE(holder);
        EXPECT_FALSE(WriteWholeFile(locked, "lost"));
    }
    EXPECT_EQ(ReadBack(locked), "keep");

    const std::wstring readOnly = temp.MakeFile(L"readonly", "keep");
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(WriteWholeFile(readOnly, "lost"));
    EXPECT_EQ(ReadBack(readOnly), "keep");
    EXPECT_FALSE(WriteWholeFile(temp / L"no\\such\\folder", "x"));
}

TEST(DeleteFileIfExistsTest, MissingExistingAndReadOnly)
{
    TempFolder temp;
    EXPECT_TRUE(DeleteFileIfExists(temp / L"missing"));
    const std::wstring path = temp.MakeFile(L"gone");
    EXPECT_TRUE(DeleteFileIfExists(path));
    EXPECT_FALSE(FileExists(path));

    const std::wstring readOnly = temp.MakeFile(L"readonly");
    ASSERT_TRUE(::SetFileAttributesW(readOnly.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_FALSE(DeleteFileIfExists(readOnly));
    EXPECT_TRUE(FileExists(readOnly));
}

TEST(Utf8Test, RoundTripsAndReplacesInvalidBytes)
{
    const std::wstring text = L"C:\\\u0424\u0430\u0439\u043b \U0001F600.txt";
    EXPECT_EQ(Utf8ToWide(WideToUtf8(text)), text);
    EXPECT_EQ(WideToUtf8(L"\u00e4"), "\xc3\xa4");
    EXPECT_EQ(Utf8ToWide("a\xff" "b"), L"a\ufffd" L"b");
    EXPECT_EQ(Utf8ToWide(""), L"");
}

}  // namespace

#include <windows.h>

#include <gtest/gtest.h>

#include <regex>

#include "support/DataFolder.h"
#include "support/ErrorLog.h"
#include "support/FileHelpers.h"
#include "support/UniqueHandle.h"
#include "testing/TempFolder.h"

namespace {

std::string ReadBack(const std::wstring& path)
{
    std::string bytes;
    ReadWholeFile(path, bytes);
    return bytes;
}

std::string LastLine(const std::string& log)
{
    if (log.size() < 2)
        return {};
    const size_t start = log.rfind("\r\n", log.size() - 3);
    return log.substr(start == std::string::npos ? 0 : start + 2);
}

TEST(ErrorLogTest, FormatsTheLineWithAFourDigitYear)
{
    SYSTEMTIME time = {};
    time.wYear = 2013;
    time.wMonth = 6;
    time.wDay = 1;
    time.wHour = 4;
    time.wMinute = 5;
    time.wSecond = 9;
    EXPECT_EQ(errorlog::FormatLine(time, L"(SetFileTime) SetFileTime error: 5."),
              L"[ver.3.7.5.1 06/01/2013 04:05:09] (SetFileTime) SetFileTime error: 5.\r\n");
}

TEST(ErrorLogTest, AppendsUtf8WithoutByteOrderMark)
{
    TempFolder temp;
    const std::wstring log = temp / L"ErrorLog.txt";
    ASSERT_TRUE(errorlog::AppendLine(log, L"first \u0424\u0430\u0439\u043b\r\n"));
    ASSERT_TRUE(errorlog::AppendLine(log, L"second\r\n"));
    EXPECT_EQ(ReadBack(log), "first \xd0\xa4\xd0\xb0\xd0\xb9\xd0\xbb\r\nsecond\r\n");
}

struct TrimCase {
    size_t oldSize;
    bool trimmed;
};

void PrintTo(const TrimCase& value, std::ostream* out) { *out << value.oldSize << " bytes"; }

class ErrorLogTrimTest : public testing::TestWithParam<TrimCase> {};

TEST_P(ErrorLogTrimTest, KeepsTheLastBytesOnlyPastOneMebibyte)
{
    TempFolder temp;
    const std::wstring log = temp / L"ErrorLog.txt";
    std::string old(GetParam().oldSize, '\0');
    for (size_t i = 0; i < old.size(); ++i)
        old[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
    ASSERT_TRUE(WriteWholeFile(log, old));

    ASSERT_TRUE(errorlog::AppendLine(log, L"new line\r\n"));
    const std::string expected =
        (GetParam().trimmed ? old.substr(old.size() - errorlog::kKeptAfterTrim) : old) + "new line\r\n";
    const std::string content = ReadBack(log);
    EXPECT_EQ(content.size(), expected.size());
    EXPECT_TRUE(content == expected);
}

INSTANTIATE_TEST_SUITE_P(Sizes, ErrorLogTrimTest,
                         testing::Values(TrimCase{1048576, false}, TrimCase{1048577, true},
                                         TrimCase{3 * 1048576 + 5, true}),
                         [](const testing::TestParamInfo<TrimCase>& info) {
                             return "Bytes" + std::to_string(info.param.oldSize);
                         });

TEST(ErrorLogTest, LockedLogDropsTheLineAndReturnsAtOnce)
{
    TempFolder temp;
    const std::wstring log = temp / L"ErrorLog.txt";
    ASSERT_TRUE(WriteWholeFile(log, "old\r\n"));
    {
        UniqueHandle holder(::CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        const ULONGLONG start = ::GetTickCount64();
        EXPECT_FALSE(errorlog::AppendLine(log, L"dropped\r\n"));
        EXPECT_LT(::GetTickCount64() - start, 5000u) << "a locked log must not be waited for";
    }
    EXPECT_EQ(ReadBack(log), "old\r\n");
}

// LogError itself writes into the real data folder of this (test) account.
class LogErrorTest : public testing::Test {
protected:
    std::wstring logPath_ = GetDataFolder() + L"ErrorLog.txt";
};

TEST_F(LogErrorTest, WritesAStampedLineWithTheFormattedMessage)
{
    LogError(L"(Test) %s failed on %s, error: %d.", L"Open", L"C:\\\u0424\u0430\u0439\u043b.txt", 32);
    const std::string line = LastLine(ReadBack(logPath_));
    const std::regex pattern(
        R"(\[ver\.3\.7\.5\.1 (0[1-9]|1[0-2])/(0[1-9]|[12][0-9]|3[01])/20[0-9]{2} ([01][0-9]|2[0-3]):[0-5][0-9]:[0-5][0-9]\] )"
        R"(\(Test\) Open failed on C:\\\xd0\xa4\xd0\xb0\xd0\xb9\xd0\xbb\.txt, error: 32\.\r\n)");
    EXPECT_TRUE(std::regex_match(line, pattern)) << line;
}

TEST_F(LogErrorTest, CutsLongMessagesTo1023Characters)
{
    const std::wstring message = L"<" + std::wstring(2000, L'x');
    LogError(L"%s", message.c_str());
    const std::string line = LastLine(ReadBack(logPath_));
    const size_t start = line.find("] ");
    ASSERT_NE(start, std::string::npos);
    EXPECT_EQ(line.substr(start + 2), "<" + std::string(1022, 'x') + "\r\n");
}

TEST_F(LogErrorTest, FirstCallCreatesTheDataFolder)
{
    const std::wstring folder = GetDataFolder();
    const std::wstring aside = GetAppDataFolder() + L"Nimbrel-kept-by-test";
    TempFolder::RemoveTree(aside);
    const bool hadFolder = FileExists(folder);
    if (hadFolder) {
        ASSERT_TRUE(::MoveFileW(folder.substr(0, folder.size() - 1).c_str(), aside.c_str()));
    }

    LogError(L"first line");
    const std::string content = ReadBack(logPath_);

    TempFolder::RemoveTree(folder.substr(0, folder.size() - 1));
    if (hadFolder)
        ::MoveFileW(aside.c_str(), folder.substr(0, folder.size() - 1).c_str());

    ASSERT_FALSE(content.empty());
    EXPECT_EQ(content.rfind("[ver.3.7.5.1 ", 0), 0u) << "the file starts with the line, no BOM";
    EXPECT_EQ(content.find("\r\n"), content.size() - 2);
}

TEST(GetSystemErrorTextTest, CodeInBracketsThenTrimmedText)
{
    const std::wstring text = GetSystemErrorText(ERROR_ACCESS_DENIED);
    EXPECT_EQ(text.rfind(L"[5]", 0), 0u);
    EXPECT_GT(text.size(), 3u);
    EXPECT_EQ(text.find_last_of(L" \r\n\t"), text.find_last_of(L" \r\n\t", text.size() - 2))
        << "no trailing white space";
    EXPECT_NE(text.back(), L'\n');

    const std::wstring unknown = GetSystemErrorText(0x2AAAAAAA);
    EXPECT_EQ(unknown, L"[715827882]Unknown error.");
}

}  // namespace

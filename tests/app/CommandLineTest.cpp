#include <gtest/gtest.h>

#include "app/CommandLine.h"

namespace {

struct SplitCase {
    const wchar_t* arguments;
    std::vector<std::wstring> paths;
};

void PrintTo(const SplitCase& value, std::ostream* out) { *out << testing::PrintToString(std::wstring(value.arguments)); }

class SplitCommandLinePathsTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitCommandLinePathsTest, SplitsAsTheUserMeantIt)
{
    EXPECT_EQ(SplitCommandLinePaths(GetParam().arguments), GetParam().paths);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, SplitCommandLinePathsTest,
    testing::Values(
        SplitCase{L"", {}},
        SplitCase{LR"("C:\a b\c.txt" d.txt)", {LR"(C:\a b\c.txt)", L"d.txt"}},
        // Two quoted paths side by side leave an empty piece between them.
        SplitCase{LR"("C:\x y\1.jpg" "C:\x y\2.jpg")", {LR"(C:\x y\1.jpg)", LR"(C:\x y\2.jpg)"}},
        SplitCase{LR"("C:\x y\1.jpg""C:\x y\2.jpg")", {LR"(C:\x y\1.jpg)", LR"(C:\x y\2.jpg)"}},
        // Without quotes, every blank separates.
        SplitCase{LR"(C:\My Photos\a.jpg)", {LR"(C:\My)", LR"(Photos\a.jpg)"}},
        SplitCase{L"  a.txt   b.txt ", {L"a.txt", L"b.txt"}},
        // Text glued before an opening quote is dropped.
        SplitCase{LR"(junk"C:\q r.txt" s.txt)", {LR"(C:\q r.txt)", L"s.txt"}},
        // An unclosed quote takes the rest of the line as one path.
        SplitCase{LR"(a.txt "C:\open ended\x y.txt)", {L"a.txt", LR"(C:\open ended\x y.txt)"}},
        SplitCase{L"\"", {}},
        SplitCase{L"\"\"", {}},
        SplitCase{L"C:\\\u041f\u0440\u0438\u0432\u0435\u0442.txt", {L"C:\\\u041f\u0440\u0438\u0432\u0435\u0442.txt"}}),
    [](const testing::TestParamInfo<SplitCase>& info) { return "Case" + std::to_string(info.index); });

TEST(CommandLineArgumentsTest, SkipsTheProgramName)
{
    EXPECT_EQ(CommandLineArguments(LR"("C:\Program Files\Nimbrel\nimbrel.exe" "a b.txt" c)"),
              LR"("a b.txt" c)");
    EXPECT_EQ(CommandLineArguments(LR"(nimbrel.exe   x.txt)"), L"x.txt");
    EXPECT_EQ(CommandLineArguments(L"nimbrel.exe"), L"");
}

}  // namespace

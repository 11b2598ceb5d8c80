#include <gtest/gtest.h>

#include <utility>

#include "core/ChosenPath.h"

namespace {

TEST(ChosenPathTest, RepairsDoubledBackslashesButKeepsANetworkPrefix)
{
    const std::pair<std::wstring, std::wstring> cases[] = {
        {LR"(C:\\a.txt)", LR"(C:\a.txt)"},  // a file chosen in a drive's root
        {LR"(C:\dir\a.txt)", LR"(C:\dir\a.txt)"},
        {LR"(C:\dir\\a.txt)", LR"(C:\dir\a.txt)"},
        {LR"(C:\\\a.txt)", LR"(C:\\a.txt)"},  // pairs from the left, not again
        {LR"(C:\\\\a.txt)", LR"(C:\\a.txt)"},
        {LR"(\\server\share\x.txt)", LR"(\\server\share\x.txt)"},
        {LR"(\\server\share\\x.txt)", LR"(\\server\share\x.txt)"},
        {LR"(\\?\C:\\x.txt)", LR"(\\?\C:\x.txt)"},
        {LR"(\)", LR"(\)"},
        {L"", L""},
    };
    for (const auto& [chosen, repaired] : cases)
        EXPECT_EQ(RepairChosenPath(chosen), repaired) << testing::PrintToString(chosen);
}

TEST(ChosenPathTest, FolderKeepsItsTrailingBackslash)
{
    EXPECT_EQ(FolderOfPath(LR"(C:\dir\a.txt)"), LR"(C:\dir\)");
    EXPECT_EQ(FolderOfPath(LR"(C:\a.txt)"), LR"(C:\)");
    EXPECT_EQ(FolderOfPath(LR"(\\server\share\x.txt)"), LR"(\\server\share\)");
    EXPECT_EQ(FolderOfPath(LR"(C:\dir\)"), LR"(C:\dir\)");
    EXPECT_EQ(FolderOfPath(L"a.txt"), L"");
}

}  // namespace

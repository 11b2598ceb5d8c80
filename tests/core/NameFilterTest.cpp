#include <gtest/gtest.h>

#include <ostream>
#include <utility>
#include <vector>

#include "core/NameFilter.h"

namespace {

// Each call from the start position on, as (piece, position after the call).
std::vector<std::pair<std::wstring, int>> Walk(const std::wstring& text, int position)
{
    std::vector<std::pair<std::wstring, int>> steps;
    for (int i = 0; i < 8; ++i) {
        std::wstring piece = NextFilterToken(text, position);
        steps.emplace_back(std::move(piece), position);
        if (position < 0)
            break;
    }
    return steps;
}

TEST(NextFilterTokenTest, ReturnsPiecesAndMovesPastEachBar)
{
    using Steps = std::vector<std::pair<std::wstring, int>>;
    EXPECT_EQ(Walk(L"abc", 0), (Steps{{L"abc", -1}}));
    EXPECT_EQ(Walk(L"", 0), (Steps{{L"", -1}}));
    EXPECT_EQ(Walk(L"a|bc|", 0), (Steps{{L"a", 2}, {L"bc", 5}, {L"", -1}}));
    EXPECT_EQ(Walk(L"a||b", 0), (Steps{{L"a", 2}, {L"", 3}, {L"b", -1}}));
    EXPECT_EQ(Walk(L"|x", 0), (Steps{{L"", 1}, {L"x", -1}}));
    EXPECT_EQ(Walk(L"abc|d", 1), (Steps{{L"bc", 4}, {L"d", -1}}));
    EXPECT_EQ(Walk(L"ab", 5), (Steps{{L"", -1}}));
}

TEST(NextFilterTokenTest, NegativePositionGivesNothingAndStays)
{
    int position = -1;
    EXPECT_EQ(NextFilterToken(L"a|b", position), L"");
    EXPECT_EQ(position, -1);
}

TEST(AsciiLowerTest, ChangesOnlyAToZ)
{
    // '@' and '[' sit right beside 'A' and 'Z'.
    EXPECT_EQ(AsciiLower(L"@AZ[az`{ \u00c0\u00c9\u0416\u00e9"), L"@az[az`{ \u00c0\u00c9\u0416\u00e9");
}

struct FilterCase {
    const wchar_t* filter;
    bool caseSensitive;
    bool exclude;
    const wchar_t* path;
    bool shown;
};

void PrintTo(const FilterCase& c, std::ostream* out)
{
    *out << "filter " << testing::PrintToString(std::wstring(c.filter))
         << (c.caseSensitive ? " Case" : "") << (c.exclude ? " Exclude" : "") << " on "
         << testing::PrintToString(std::wstring(c.path)) << " -> " << (c.shown ? "shown" : "hidden");
}

class NameFilterTest : public testing::TestWithParam<FilterCase> {};

TEST_P(NameFilterTest, ShowsOrHides)
{
    const FilterCase& c = GetParam();
    EXPECT_EQ(NameFilter(c.filter, c.caseSensitive, c.exclude).Shows(c.path), c.shown);
}

constexpr bool kCase = true, kNoCase = false, kExclude = true, kShow = false;

INSTANTIATE_TEST_SUITE_P(
    Cases, NameFilterTest,
    testing::Values(
        // No filter: everything, whatever Exclude says.
        FilterCase{L"", kNoCase, kShow, LR"(C:\a.txt)", true},
        FilterCase{L"", kNoCase, kExclude, LR"(C:\a.txt)", true},
        // A plain piece occurs anywhere in the name, and only in the name.
        FilterCase{L"jpg", kNoCase, kShow, LR"(C:\p\photo.jpg)", true},
        FilterCase{L"jpg", kNoCase, kShow, LR"(C:\p\jpgs.txt)", true},
        FilterCase{L"jpg", kNoCase, kShow, LR"(C:\p\photo.png)", false},
        FilterCase{L"jpg", kNoCase, kShow, LR"(C:\jpg\photo.png)", false},
        FilterCase{L"jpg", kNoCase, kShow, L"photo.jpg", true},
        FilterCase{L"jpg", kNoCase, kExclude, LR"(C:\p\photo.jpg)", false},
        FilterCase{L"jpg", kNoCase, kExclude, LR"(C:\p\photo.png)", true},
        // "*" first: ends with.
        FilterCase{L"*.jpg|*.png", kNoCase, kShow, LR"(C:\a.jpg)", true},
        FilterCase{L"*.jpg|*.png", kNoCase, kShow, LR"(C:\b.png)", true},
        FilterCase{L"*.jpg|*.png", kNoCase, kShow, LR"(C:\c.gif)", false},
        FilterCase{L"*.jpg|*.png", kNoCase, kShow, LR"(C:\d.jpg.txt)", false},
        FilterCase{L"*.jpg|*.png", kNoCase, kExclude, LR"(C:\b.png)", false},
        FilterCase{L"*", kNoCase, kShow, LR"(C:\anything)", true},
        // "*" last: begins with.
        FilterCase{L"IMG*", kCase, kShow, LR"(C:\IMG_0001.jpg)", true},
        FilterCase{L"IMG*", kCase, kShow, LR"(C:\my_IMG.jpg)", false},
        // "*" inside: begins and ends, tested independently.
        FilterCase{L"IMG*.jpg", kCase, kShow, LR"(C:\IMG_0001.jpg)", true},
        FilterCase{L"IMG*.jpg", kCase, kShow, LR"(C:\IMG.jpg)", true},
        FilterCase{L"IMG*.jpg", kCase, kShow, LR"(C:\IMG_0001.png)", false},
        FilterCase{L"IMG*.jpg", kCase, kShow, LR"(C:\x_IMG.jpg)", false},
        FilterCase{L"ab*bc", kCase, kShow, LR"(C:\abc)", true},
        FilterCase{L"abc*abc", kCase, kShow, LR"(C:\abc)", true},
        FilterCase{L"abc*abc", kCase, kShow, LR"(C:\ab)", false},
        // Only the first "*" counts; a second one is an ordinary character.
        FilterCase{L"*a*", kCase, kShow, LR"(C:\xa)", false},
        FilterCase{L"*a*", kCase, kShow, LR"(C:\xa*)", true},
        // The first empty piece ends the filter.
        FilterCase{L"a||b", kCase, kShow, LR"(C:\a.txt)", true},
        FilterCase{L"a||b", kCase, kShow, LR"(C:\b.txt)", false},
        FilterCase{L"a||b", kCase, kExclude, LR"(C:\b.txt)", true},
        FilterCase{L"jpg|", kCase, kShow, LR"(C:\a.jpg)", true},
        FilterCase{L"|a", kCase, kShow, LR"(C:\a.txt)", false},
        FilterCase{L"|a", kCase, kExclude, LR"(C:\a.txt)", true},
        // Case: both sides are lower-cased, A to Z only.
        FilterCase{L"JPG", kNoCase, kShow, LR"(C:\photo.jpg)", true},
        FilterCase{L"JPG", kCase, kShow, LR"(C:\photo.jpg)", false},
        FilterCase{L"img*.jpg", kNoCase, kShow, LR"(C:\PICS\IMG_1.JPG)", true},
        FilterCase{L"img*.jpg", kCase, kShow, LR"(C:\PICS\IMG_1.JPG)", false},
        FilterCase{L"\u00e9t\u00e9", kNoCase, kShow, L"C:\\\u00c9T\u00c9.txt", false},
        FilterCase{L"\u0416", kNoCase, kShow, L"C:\\\u0436.txt", false},
        FilterCase{L"\u00c9T\u00c9", kNoCase, kShow, L"C:\\\u00c9t\u00c9.txt", true}));

}  // namespace

#include <gtest/gtest.h>

#include <string>

#include "templates/ByteText.h"
#include "templates/ExifRowText.h"
#include "templates/ExpandVariables.h"
#include "templates/VariableTexts.h"

TEST(ByteText, TextToBytesWritesLowThenHighByteAndTheTerminatingZero)
{
    const struct {
        const wchar_t* text;
        const wchar_t* bytes;
    } cases[] = {
        {L"", L"00 00"},
        {L"Hi", L"48 00 69 00 00 00"},
        {L"Ab", L"41 00 62 00 00 00"},
        {L"\u0416\u00ff", L"16 04 FF 00 00 00"},
        {L"a b", L"61 00 20 00 62 00 00 00"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TextToByteString(c.text), c.bytes) << c.text;
}

TEST(ByteText, PreviewShowsOneCharacterPerByte)
{
    const struct {
        const wchar_t* bytes;
        const wchar_t* preview;
    } cases[] = {
        {L"41 00 62 00 00 00", L"A.b..."},
        {L"48 00 69 00 00 00", L"H.i..."},
        {L"  41    42 ", L"AB"},   // runs of spaces are one separator
        {L"zz 41 Hi", L".A."},     // not hexadecimal: a zero byte
        {L"141 ff 7f", L"A\u00ff\u007f"},  // only the low eight bits count
        {L"", L""},
        {L"   ", L""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BytePreviewText(c.bytes), c.preview) << c.bytes;
    EXPECT_EQ(BytePreviewText(TextToByteString(L"Hi")), L"H.i...");
}

TEST(ExifRowText, KeyIsTheRowTextBeforeItsDescription)
{
    EXPECT_EQ(ExifKeyFromRowText(L"PropertyTagImageTitle(Title)"), L"PropertyTagImageTitle");
    EXPECT_EQ(ExifKeyFromRowText(L"A(b)(c)"), L"A");
    EXPECT_EQ(ExifKeyFromRowText(L"(odd)name"), L"(odd)name");
    EXPECT_EQ(ExifKeyFromRowText(L"ID: 0x9286"), L"ID: 0x9286");
}

TEST(ExifRowText, HelpNamesTheTypeAndEitherTheElementsOrTheLength)
{
    const struct {
        ExifValue value;
        const wchar_t* help;
    } cases[] = {
        {{L"Hello world", 12, 2, 0, false, L"ignored"}, L"Data type: ASCII; Data length: 12"},
        {{L"1", 2, 3, 1, false, L"1 = upper left"}, L"Data type: Short; Number of elements: 1; 1 = upper left"},
        {{L"", 24, 5, 3, false, L""}, L"Data type: Rational; Number of elements: 3"},
        {{L"", 4, 4, 1, false, L""}, L"Data type: Long; Number of elements: 1"},
        {{L"", 4, 9, 1, false, L""}, L"Data type: SLONG; Number of elements: 1"},
        {{L"", 8, 10, 1, true, L"h"}, L"Data type: SRational; Number of elements: 1; h [Readonly]"},
        {{L"", 6, 7, 0, false, L""}, L"Data type: Undefined; Data length: 6"},
        {{L"", 4, 1, 4, true, L""}, L"Data type: Byte; Data length: 4 [Readonly]"},
        {{L"", 2, 8, 1, false, L""}, L"Data type: Unknown; Data length: 2"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExifHelpText(c.value), c.help) << "type " << c.value.type;
    EXPECT_TRUE(IsByteNotationType(1));
    EXPECT_TRUE(IsByteNotationType(7));
    EXPECT_FALSE(IsByteNotationType(2));
}

TEST(VariableTexts, TimeChoicesBecomeCommands)
{
    const CalendarTime now{2013, 6, 21, 14, 5, 9};
    EXPECT_EQ(TimeCommandForChoice(L"TimeSeries", now),
              L"<%TimeSeries start from:2013:06:21 14:05:09; step:+1:01:00:00%>");
    EXPECT_EQ(TimeCommandForChoice(L"TimeAdjust", now), L"<%TimeAdjust +1:01:00:00%>");
    EXPECT_EQ(TimeCommandForChoice(L"Use file modify time", now), L"Use file modify time");
    EXPECT_EQ(TimeCommandForChoice(L"timeadjust", now), L"timeadjust");
}

// Every variable the combo offers inserts text that the expansion
// recognises (nothing of it is left behind), and selects the part to edit.
TEST(VariableTexts, EverySnippetIsAVariableWithTheRightPartSelected)
{
    const CalendarTime now{2013, 6, 21, 14, 5, 9};
    const struct {
        const wchar_t* item;
        const wchar_t* selected;
    } selections[] = {
        {L"NumberSeries", L"1"}, {L"NumberAdjust", L"+1"}, {L"TimeSeries", L"2013:06:21 14:05:09"},
        {L"TimeAdjust", L"+0:01:00:00"}, {L"Replace", L"old"}, {L"FileName", L""}, {L"Date long", L""},
    };
    for (const auto& s : selections) {
        const auto snippet = SnippetForVariable(s.item, now);
        ASSERT_TRUE(snippet) << s.item;
        ASSERT_LE(snippet->selectStart, snippet->selectEnd);
        EXPECT_EQ(snippet->text.substr(snippet->selectStart, snippet->selectEnd - snippet->selectStart), s.selected)
            << s.item;
    }
    EXPECT_EQ(SnippetForVariable(L"NumberSeries", now)->text, L"<%NumberSeries start from:1; step:1%>");

    ExpandOptions options;
    options.now = [now] { return now; };
    for (const std::wstring_view item : kVariableItems) {
        const auto snippet = SnippetForVariable(item, now);
        ASSERT_TRUE(snippet) << std::wstring(item);
        std::wstring value = L"x" + snippet->text;
        ExpandVariables(value, 2, L"2013:06:21 14:05:09", L"C:\\Photos\\IMG_0042.JPG", options);
        EXPECT_EQ(value.find(L"<%"), std::wstring::npos) << std::wstring(item) << " gave " << value;
        EXPECT_EQ(value.find(L"%>"), std::wstring::npos) << std::wstring(item) << " gave " << value;
    }

    for (const wchar_t* other : {L"", L"Do not change", L"Time", L"numberseries", L"Date"})
        EXPECT_FALSE(SnippetForVariable(other, now)) << other;
}

#include <gtest/gtest.h>

#include "support/BinaryArchive.h"

namespace {

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

TEST(BinaryArchiveTest, IntegersAreLittleEndian)
{
    BinaryWriter writer;
    writer.WriteInt32(1);
    writer.WriteInt32(-2);
    writer.WriteInt32(0x12345678);
    EXPECT_EQ(writer.Bytes(), Bytes({1, 0, 0, 0, 0xFE, 0xFF, 0xFF, 0xFF, 0x78, 0x56, 0x34, 0x12}));

    BinaryReader reader(writer.Bytes());
    int32_t a = 0, b = 0, c = 0;
    ASSERT_TRUE(reader.ReadInt32(a) && reader.ReadInt32(b) && reader.ReadInt32(c));
    EXPECT_EQ(a, 1);
    EXPECT_EQ(b, -2);
    EXPECT_EQ(c, 0x12345678);
}

struct StringCase {
    size_t length;
    std::string header;  // marker and length bytes before the characters
};

void PrintTo(const StringCase& value, std::ostream* out) { *out << value.length << " characters"; }

class StringEncodingTest : public testing::TestWithParam<StringCase> {};

TEST_P(StringEncodingTest, WritesTheLengthFormAndReadsItBack)
{
    std::wstring text(GetParam().length, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
        text[i] = static_cast<wchar_t>(i % 3 == 0 ? 0x0416 : L'a' + i % 26);

    BinaryWriter writer;
    writer.WriteString(text);
    writer.WriteInt32(7);  // whatever follows must still be found
    const std::string& bytes = writer.Bytes();
    ASSERT_EQ(bytes.size(), GetParam().header.size() + 2 * text.size() + 4);
    EXPECT_EQ(bytes.substr(0, GetParam().header.size()), GetParam().header);
    if (!text.empty()) {
        EXPECT_EQ(static_cast<uint8_t>(bytes[GetParam().header.size()]), 0x16);  // UTF-16LE
        EXPECT_EQ(static_cast<uint8_t>(bytes[GetParam().header.size() + 1]), 0x04);
    }

    BinaryReader reader(bytes);
    std::wstring back;
    int32_t after = 0;
    ASSERT_TRUE(reader.ReadString(back));
    ASSERT_TRUE(reader.ReadInt32(after));
    EXPECT_EQ(back, text);
    EXPECT_EQ(after, 7);
    EXPECT_EQ(reader.Remaining(), 0u);
}

INSTANTIATE_TEST_SUITE_P(
    Lengths, StringEncodingTest,
    testing::Values(StringCase{0, Bytes({0xFF, 0xFE, 0xFF, 0x00})},
                    StringCase{254, Bytes({0xFF, 0xFE, 0xFF, 0xFE})},
                    StringCase{255, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0x00})},
                    StringCase{300, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01})},
                    StringCase{0xFFFD, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF})},
                    StringCase{0xFFFE, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFE, 0xFF, 0x00, 0x00})},
                    StringCase{70000, Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x70, 0x11, 0x01, 0x00})}),
    [](const testing::TestParamInfo<StringCase>& info) { return "Chars" + std::to_string(info.param.length); });

TEST(BinaryArchiveTest, ReadsStringsWrittenWithoutTheUtf16Marker)
{
    BinaryReader reader(Bytes({3, 'a', 'b', 'c', 0xFF, 0x04, 0x00, 'w', 'x', 'y', 'z'}));
    std::wstring first, second;
    ASSERT_TRUE(reader.ReadString(first));
    ASSERT_TRUE(reader.ReadString(second));
    EXPECT_EQ(first, L"abc");
    EXPECT_EQ(second, L"wxyz");
}

// A damaged file must stop the reading where the damage is, without trusting
// the lengths it claims.
TEST(BinaryArchiveTest, DamagedInputFailsAndStaysFailed)
{
    const std::string cases[] = {
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}),  // 2^31 chars
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFD, 0xFF, 'a', 0}),                          // 65533 chars
        Bytes({0xFF, 0xFE, 0xFF, 0x05, 'a', 0}),                                      // 5 chars, 1 there
        Bytes({0x09, 'a', 'b'}),                                                      // ANSI, cut
        Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF, 0x00}),                            // marker twice
        Bytes({0xFF, 0xFE}),                                                          // cut inside
    };
    for (const std::string& bytes : cases) {
        BinaryReader reader(bytes);
        std::wstring text;
        EXPECT_FALSE(reader.ReadString(text));
        EXPECT_TRUE(reader.Failed());
        int32_t value = 0;
        EXPECT_FALSE(reader.ReadInt32(value));
    }
}

TEST(BinaryArchiveTest, ShortIntegerFails)
{
    BinaryReader reader(Bytes({1, 2, 3}));
    int32_t value = 0;
    EXPECT_FALSE(reader.ReadInt32(value));
    EXPECT_TRUE(reader.Failed());
}

}  // namespace

#include <gtest/gtest.h>

#include <initializer_list>

#include "app/SettingsFile.h"
#include "support/FileHelpers.h"
#include "testing/TempFolder.h"

namespace {

std::string Int32s(std::initializer_list<int32_t> values)
{
    std::string bytes;
    for (int32_t value : values) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes.push_back(static_cast<char>((static_cast<uint32_t>(value) >> shift) & 0xFF));
    }
    return bytes;
}

std::string Bytes(std::initializer_list<int> values)
{
    std::string bytes;
    for (int value : values)
        bytes.push_back(static_cast<char>(value));
    return bytes;
}

// Every field away from its default, so that a field read into the wrong
// place or not at all shows.
MainSettings Changed()
{
    MainSettings settings;
    settings.caseFilter = 1;
    settings.dirOnly = 1;
    settings.exclude = 1;
    settings.includeDir = 1;
    settings.includeSubDir = 1;
    settings.lastFolder = L"C:\\Fotos \u00e4\u0416\\";
    settings.themeIndex = 3;
    settings.windowWidth = 1024;
    settings.windowHeight = 700;
    settings.maximized = 1;
    settings.processedFiles = 123456;
    settings.quickView = 1;
    settings.mediaPreview = 1;
    return settings;
}

void ExpectSame(const MainSettings& actual, const MainSettings& expected)
{
    EXPECT_EQ(actual.caseFilter, expected.caseFilter);
    EXPECT_EQ(actual.dirOnly, expected.dirOnly);
    EXPECT_EQ(actual.exclude, expected.exclude);
    EXPECT_EQ(actual.includeDir, expected.includeDir);
    EXPECT_EQ(actual.includeSubDir, expected.includeSubDir);
    EXPECT_EQ(actual.lastFolder, expected.lastFolder);
    EXPECT_EQ(actual.themeIndex, expected.themeIndex);
    EXPECT_EQ(actual.windowWidth, expected.windowWidth);
    EXPECT_EQ(actual.windowHeight, expected.windowHeight);
    EXPECT_EQ(actual.maximized, expected.maximized);
    EXPECT_EQ(actual.processedFiles, expected.processedFiles);
    EXPECT_EQ(actual.quickView, expected.quickView);
    EXPECT_EQ(actual.mediaPreview, expected.mediaPreview);
}

TEST(SettingsFileTest, GoldenBytesWithAnEmptyFolder)
{
    MainSettings settings;
    settings.caseFilter = 1;
    settings.exclude = 1;
    settings.includeSubDir = 1;
    settings.windowWidth = 1280;
    settings.processedFiles = 42;
    settings.mediaPreview = 1;

    const std::string expected =
        Int32s({0, 1, 0, 0, 1, 0, 0}) + Int32s({0, 0, 0, 0, 0, 1, 0, 1, 1}) + Int32s({1, 0, 0}) +
        Bytes({0xFF, 0xFE, 0xFF, 0x00}) + Int32s({11, 1280, 600, 0, 42, 0, 1});
    // 26 integers of four bytes and the empty string's four.
    const std::string bytes = EncodeSettings(settings);
    EXPECT_EQ(bytes.size(), 108u);
    EXPECT_EQ(bytes, expected);
}

TEST(SettingsFileTest, BytesAfterTheLastFieldAreIgnored)
{
    MainSettings back;
    DecodeSettings(EncodeSettings(Changed()) + Int32s({0}), back);
    ExpectSame(back, Changed());
}

TEST(SettingsFileTest, LongFolderUsesTheLongLengthAndComesBackWhole)
{
    MainSettings settings = Changed();
    settings.lastFolder = L"C:\\";
    while (settings.lastFolder.size() < 300)
        settings.lastFolder += L"\u0416";
    const std::string bytes = EncodeSettings(settings);
    EXPECT_EQ(bytes.substr(76, 6), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x2C, 0x01}));
    EXPECT_EQ(bytes.size(), 76u + 6 + 600 + 28);

    MainSettings back;
    DecodeSettings(bytes, back);
    ExpectSame(back, settings);
}

TEST(SettingsFileTest, FileCutAfterTheSeventhFieldRestoresTheFirstBoxesOnly)
{
    const std::string whole = EncodeSettings(Changed());
    MainSettings back;
    DecodeSettings(std::string_view(whole).substr(0, 28), back);

    MainSettings expected;
    expected.caseFilter = expected.dirOnly = expected.exclude = expected.includeDir = 1;
    ExpectSame(back, expected);
}

// Each cut ends the reading at the field it falls in, whatever the field.
TEST(SettingsFileTest, EveryCutKeepsTheFieldsBeforeIt)
{
    const std::string whole = EncodeSettings(Changed());
    for (size_t length = 0; length < whole.size(); ++length) {
        MainSettings back;
        DecodeSettings(std::string_view(whole).substr(0, length), back);
        const MainSettings defaults;
        SCOPED_TRACE(testing::Message() << "cut after " << length << " bytes");
        EXPECT_EQ(back.caseFilter, length >= 8 ? 1 : 0);
        EXPECT_EQ(back.includeSubDir, length >= 68 ? 1 : 0);
        EXPECT_EQ(back.lastFolder, length >= whole.size() - 28 ? Changed().lastFolder : defaults.lastFolder);
        EXPECT_EQ(back.themeIndex, length >= whole.size() - 24 ? 3 : defaults.themeIndex);
        EXPECT_EQ(back.quickView, length >= whole.size() - 4 ? 1 : 0);
        EXPECT_EQ(back.mediaPreview, 0);
    }
}

TEST(SettingsFileTest, ReservedFieldsAreWrittenWithTheirOwnValues)
{
    // A file whose reserved fields hold other values is read and written back.
    std::string odd = EncodeSettings(Changed());
    for (size_t offset : {0, 8, 20, 28, 32, 36, 40, 44, 48, 52, 56, 60, 68, 72})
        odd.replace(offset, 4, Int32s({77}));
    MainSettings settings;
    DecodeSettings(odd, settings);
    ExpectSame(settings, Changed());
    EXPECT_EQ(EncodeSettings(settings), EncodeSettings(Changed()));
}

TEST(SettingsFileTest, DamagedFolderLengthStopsBeforeTheFolder)
{
    // A length that claims far more than the file holds must neither be
    // allocated nor taken as a folder.
    const std::string head = EncodeSettings(Changed()).substr(0, 76);
    for (const std::string& damaged :
         {Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 0}),
          Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0x00, 0x10, 'a', 0}), Bytes({0xFF, 0xFE, 0xFF, 0xFF, 0xFE, 0xFF})}) {
        MainSettings back;
        DecodeSettings(head + damaged + Int32s({3, 1024, 700, 1, 5, 1, 1}), back);
        EXPECT_EQ(back.includeSubDir, 1);
        EXPECT_EQ(back.lastFolder, L"");
        EXPECT_EQ(back.themeIndex, 11);
        EXPECT_EQ(back.windowWidth, 800);
    }
}

TEST(SettingsFileTest, ThemeIndexOutsideTheThemesIsTheDefault)
{
    for (const auto& [stored, used] : {std::pair{15, 11}, {-1, 11}, {0, 0}, {14, 14}, {1000000, 11}}) {
        MainSettings written = Changed();
        written.themeIndex = stored;
        MainSettings back;
        DecodeSettings(EncodeSettings(written), back);
        EXPECT_EQ(back.themeIndex, used) << "stored " << stored;
        EXPECT_EQ(back.mediaPreview, 1) << "the fields after it are still read";
    }
}

TEST(SettingsFileTest, ReadsAFolderWrittenAsAnsi)
{
    std::string bytes = EncodeSettings(Changed()).substr(0, 76) + Bytes({4, 'C', ':', '\\', 'x'}) +
                        Int32s({3, 1024, 700, 1, 5, 1, 1});
    MainSettings back;
    DecodeSettings(bytes, back);
    EXPECT_EQ(back.lastFolder, L"C:\\x");
    EXPECT_EQ(back.processedFiles, 5);
    EXPECT_EQ(back.mediaPreview, 1);
}

TEST(SettingsFileTest, MissingFileLeavesTheDefaults)
{
    TempFolder temp;
    MainSettings settings;
    EXPECT_FALSE(ReadSettingsFile(temp / kSettingsFileName, settings));
    ExpectSame(settings, MainSettings());
}

TEST(SettingsFileTest, RoundTripThroughARealFile)
{
    TempFolder temp;
    const std::wstring path = temp / kSettingsFileName;
    ASSERT_TRUE(WriteWholeFile(path, std::string(500, 'x')));  // replaced, not overwritten in part
    ASSERT_TRUE(WriteSettingsFile(path, Changed()));

    std::string bytes;
    EXPECT_EQ(ReadWholeFile(path, bytes), static_cast<int>(EncodeSettings(Changed()).size()));
    MainSettings back;
    EXPECT_TRUE(ReadSettingsFile(path, back));
    ExpectSame(back, Changed());
}

TEST(SettingsFileTest, WriteFailsWhereNoFileCanBeMade)
{
    TempFolder temp;
    EXPECT_FALSE(WriteSettingsFile(temp / L"missing\\" + kSettingsFileName, Changed()));
}

}  // namespace

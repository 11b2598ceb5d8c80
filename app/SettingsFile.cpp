#include "app/SettingsFile.h"

#include <iterator>
#include <utility>

#include "support/BinaryArchive.h"
#include "support/FileHelpers.h"

namespace {

// Fields 8 to 16: written as these values, ignored on reading.
constexpr int32_t kReservedRun[] = {0, 0, 0, 0, 0, 1, 0, 1, 1};

}  // namespace

std::string EncodeSettings(const MainSettings& settings)
{
    BinaryWriter writer;
    writer.WriteInt32(0);
    writer.WriteInt32(settings.caseFilter);
    writer.WriteInt32(0);
    writer.WriteInt32(settings.dirOnly);
    writer.WriteInt32(settings.exclude);
    writer.WriteInt32(0);
    writer.WriteInt32(settings.includeDir);
    for (int32_t value : kReservedRun)
        writer.WriteInt32(value);
    writer.WriteInt32(settings.includeSubDir);
    writer.WriteInt32(0);
    writer.WriteInt32(0);
    writer.WriteString(settings.lastFolder);
    writer.WriteInt32(settings.themeIndex);
    writer.WriteInt32(settings.windowWidth);
    writer.WriteInt32(settings.windowHeight);
    writer.WriteInt32(settings.maximized);
    writer.WriteInt32(settings.processedFiles);
    writer.WriteInt32(settings.quickView);
    writer.WriteInt32(settings.mediaPreview);
    return writer.Bytes();
}

void DecodeSettings(std::string_view bytes, MainSettings& settings)
{
    BinaryReader reader(bytes);
    int32_t ignored = 0;
    // Each field is stored as soon as it is read; the reader fails every read
    // after the first failure, so one check per field is enough.
    auto read = [&](int& field) {
        int32_t value = 0;
        if (!reader.ReadInt32(value))
            return false;
        field = value;
        return true;
    };
    auto skip = [&](int count) {
        for (int i = 0; i < count; ++i) {
            if (!reader.ReadInt32(ignored))
                return false;
        }
        return true;
    };

    if (!skip(1) || !read(settings.caseFilter) || !skip(1) || !read(settings.dirOnly) ||
        !read(settings.exclude) || !skip(1) || !read(settings.includeDir) ||
        !skip(static_cast<int>(std::size(kReservedRun))) || !read(settings.includeSubDir) ||
        !skip(2))
        return;

    std::wstring folder;
    if (!reader.ReadString(folder))
        return;
    settings.lastFolder = std::move(folder);

    int theme = 0;
    if (!read(theme))
        return;
    settings.themeIndex = theme >= 0 && theme < kThemeCount ? theme : kDefaultThemeIndex;

    if (!read(settings.windowWidth) || !read(settings.windowHeight) || !read(settings.maximized) ||
        !read(settings.processedFiles) || !read(settings.quickView))
        return;
    read(settings.mediaPreview);
}

bool ReadSettingsFile(const std::wstring& path, MainSettings& settings)
{
    std::string bytes;
    if (ReadWholeFile(path, bytes) < 0)
        return false;
    DecodeSettings(bytes, settings);
    return true;
}

bool WriteSettingsFile(const std::wstring& path, const MainSettings& settings)
{
    return WriteWholeFile(path, EncodeSettings(settings));
}

#pragma once

// Helpers shared by the template tests: a scratch folder on the real file
// system, raw file times, the error log's last line, and a check that the
// machine runs in the Central European zone the time tests are written for.

#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "support/ErrorLog.h"
#include "support/FileHelpers.h"
#include "support/UniqueHandle.h"
#include "templates/CalendarTime.h"
#include "templates/LocalTimeZone.h"
#include "testing/TempFolder.h"

namespace templates_test {

using ::TempFolder;

struct RawTimes {
    FILETIME created{};
    FILETIME accessed{};
    FILETIME modified{};
};

inline uint64_t Ticks(const FILETIME& time)
{
    return (static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

inline FILETIME FromTicks(uint64_t ticks)
{
    return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

// A UTC instant as a file time, milliseconds included.
inline FILETIME UtcFileTime(int year, int month, int day, int hour, int minute, int second, int millis = 0)
{
    const int64_t seconds = SecondsFromFields(CalendarTime{year, month, day, hour, minute, second});
    return FromTicks(static_cast<uint64_t>(seconds + 11644473600LL) * 10000000ULL +
                     static_cast<uint64_t>(millis) * 10000ULL);
}

inline std::optional<RawTimes> ReadRawTimes(const std::wstring& path)
{
    UniqueHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    RawTimes times;
    if (!file || !GetFileTime(file.Get(), &times.created, &times.accessed, &times.modified))
        return std::nullopt;
    return times;
}

inline bool WriteRawTimes(const std::wstring& path, const FILETIME* created, const FILETIME* accessed,
                          const FILETIME* modified)
{
    UniqueHandle file(CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file && SetFileTime(file.Get(), created, accessed, modified);
}

// The time tests name instants of Central European time (UTC+1, summer time
// UTC+2 from the last Sunday of March 01:00 UTC to the last Sunday of
// October 01:00 UTC), which is what the test run sets with TZ.
inline bool ZoneIsCentralEuropean()
{
    struct Probe {
        int64_t utc;
        int64_t expectedOffset;
    };
    const Probe probes[] = {
        {SecondsFromFields({2013, 1, 15, 12, 0, 0}), 3600},
        {SecondsFromFields({2013, 7, 15, 12, 0, 0}), 7200},
        {SecondsFromFields({2013, 3, 31, 0, 59, 59}), 3600},
        {SecondsFromFields({2013, 3, 31, 1, 0, 0}), 7200},
        {SecondsFromFields({2013, 10, 27, 0, 59, 59}), 7200},
        {SecondsFromFields({2013, 10, 27, 1, 0, 0}), 3600},
        {0, 3600},
    };
    for (const Probe& probe : probes) {
        const std::optional<CalendarTime> local = UtcSecondsToLocal(probe.utc);
        if (!local || SecondsFromFields(*local) - probe.utc != probe.expectedOffset)
            return false;
    }
    return true;
}

#define REQUIRE_CENTRAL_EUROPEAN_ZONE()                                                                      \
    do {                                                                                                     \
        if (!::templates_test::ZoneIsCentralEuropean())                                                      \
            GTEST_SKIP() << "these instants are written for Central European time (run with TZ=Europe/Berlin)"; \
    } while (0)

// The last line of the error log, CR LF included; empty when there is none.
inline std::wstring LastErrorLogLine()
{
    const std::wstring logPath = errorlog::PrepareLogPath();
    UniqueHandle file(CreateFileW(logPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return {};
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    if (bytes.size() < 2)
        return {};
    const size_t start = bytes.rfind("\r\n", bytes.size() - 3);
    return ::Utf8ToWide(bytes.substr(start == std::string::npos ? 0 : start + 2));
}

inline bool EndsWith(const std::wstring& text, const std::wstring& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace templates_test

#include "templates/LocalTimeZone.h"

namespace {

constexpr int64_t kSecondsFrom1601To1970 = 11644473600;
constexpr int64_t kTicksPerSecond = 10000000;

// Local minus UTC, in seconds, in force at the given instant.
std::optional<int64_t> OffsetAt(int64_t utcSeconds)
{
    const std::optional<CalendarTime> local = UtcSecondsToLocal(utcSeconds);
    if (!local)
        return std::nullopt;
    return SecondsFromFields(*local) - utcSeconds;
}

}  // namespace

int64_t FileTimeToUtcSeconds(const FILETIME& fileTime)
{
    const uint64_t ticks = (static_cast<uint64_t>(fileTime.dwHighDateTime) << 32) | fileTime.dwLowDateTime;
    return static_cast<int64_t>(ticks / kTicksPerSecond) - kSecondsFrom1601To1970;
}

FILETIME UtcSecondsToFileTime(int64_t utcSeconds)
{
    const uint64_t ticks = static_cast<uint64_t>(utcSeconds + kSecondsFrom1601To1970) * kTicksPerSecond;
    FILETIME fileTime;
    fileTime.dwLowDateTime = static_cast<DWORD>(ticks);
    fileTime.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return fileTime;
}

std::optional<CalendarTime> UtcSecondsToLocal(int64_t utcSeconds)
{
    // FILETIME covers 1601 to 30827; keep well inside it.
    if (utcSeconds < -kSecondsFrom1601To1970 || utcSeconds > 900000000000LL)
        return std::nullopt;
    const FILETIME fileTime = UtcSecondsToFileTime(utcSeconds);
    SYSTEMTIME utc;
    SYSTEMTIME local;
    if (!FileTimeToSystemTime(&fileTime, &utc) || !SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local))
        return std::nullopt;
    return CalendarTime{local.wYear, local.wMonth, local.wDay, local.wHour, local.wMinute, local.wSecond};
}

std::optional<int64_t> LocalToUtcSeconds(const CalendarTime& local)
{
    const int64_t wall = SecondsFromFields(local);
    // Zone changes are months apart, so the offsets a day either side are
    // the two that can apply to this wall-clock time.
    const std::optional<int64_t> before = OffsetAt(wall - 86400);
    const std::optional<int64_t> after = OffsetAt(wall + 86400);
    if (!before || !after)
        return std::nullopt;

    std::optional<int64_t> best;
    for (int64_t offset : {*before, *after}) {
        const int64_t candidate = wall - offset;
        const std::optional<CalendarTime> back = UtcSecondsToLocal(candidate);
        if (back && SecondsFromFields(*back) == wall && (!best || candidate < *best))
            best = candidate;
    }
    if (best)
        return best;
    // Skipped hour: count with the offset that was in force before it.
    return wall - *before;
}

CalendarTime CurrentLocalTime()
{
    // Through the same conversion as every other time, so "now" never
    // disagrees with a date typed for the same moment.
    FILETIME utcNow;
    GetSystemTimeAsFileTime(&utcNow);
    if (const std::optional<CalendarTime> local = UtcSecondsToLocal(FileTimeToUtcSeconds(utcNow)))
        return *local;
    SYSTEMTIME now;
    GetLocalTime(&now);
    return CalendarTime{now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute, now.wSecond};
}

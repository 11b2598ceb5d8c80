#include "templates/ExpandVariables.h"

#include <windows.h>
#include <shlwapi.h>

#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "templates/DateTimeText.h"
#include "templates/LocalTimeZone.h"

namespace {

constexpr std::wstring_view kEnd = L"%>";
constexpr std::wstring_view kReplaceKey = L"<%Replace%";
constexpr std::wstring_view kWithKey = L"%With%";

struct TakenVariable {
    bool found = false;
    size_t insertAt = 0;
    std::wstring text;  // empty when no "%>" closes it
};

// Removes the first occurrence of the variable that starts with `key`, up to
// and including the first "%>" after it, and tells where it stood.
TakenVariable TakeVariable(std::wstring& value, std::wstring_view key)
{
    TakenVariable taken;
    const size_t start = value.find(key);
    if (start == std::wstring::npos)
        return taken;
    taken.found = true;
    taken.insertAt = start;
    const size_t end = value.find(kEnd, start);
    if (end != std::wstring::npos) {
        taken.text = value.substr(start, end + kEnd.size() - start);
        value.erase(start, taken.text.size());
    }
    return taken;
}

// The text after the key up to the first ";" after it, else up to the first
// "%>" after it, else nothing. A key at index 0 does not count.
std::wstring ReadField(const std::wstring& variable, std::wstring_view key)
{
    const size_t at = variable.find(key);
    if (at == std::wstring::npos || at == 0)
        return {};
    const size_t from = at + key.size();
    size_t end = variable.find(L';', from);
    if (end == std::wstring::npos)
        end = variable.find(kEnd, from);
    if (end == std::wstring::npos)
        return {};
    return variable.substr(from, end - from);
}

bool HasKey(const std::wstring& variable, std::wstring_view key)
{
    const size_t at = variable.find(key);
    return at != std::wstring::npos && at != 0;
}

void ReplaceAll(std::wstring& value, std::wstring_view search, std::wstring_view replacement)
{
    if (search.empty())
        return;
    for (size_t at = value.find(search); at != std::wstring::npos;
         at = value.find(search, at + replacement.size())) {
        value.replace(at, search.size(), replacement);
    }
}

// A sign in front of a span field decides its direction and is removed.
int64_t ReadSignedSpan(std::wstring field)
{
    int64_t direction = 1;
    if (!field.empty() && (field[0] == L'+' || field[0] == L'-')) {
        direction = field[0] == L'-' ? -1 : 1;
        field.erase(0, 1);
    }
    return direction * ParseTimeSpanText(field);
}

// A date read by a time variable; nullopt when it cannot be given.
std::optional<AbsoluteTime> ReadVariableDate(const std::wstring& text, bool strictDates)
{
    const ParsedDateTime parsed = ParseDateTimeText(text);
    switch (parsed.kind) {
    case DateTextKind::Date:
        return parsed.time;
    case DateTextKind::NotADate:
        if (strictDates)
            return std::nullopt;
        return AbsoluteTime{0};
    case DateTextKind::OutOfRange:
        break;
    }
    return std::nullopt;
}

// base + span * times, or nullopt when that leaves the range.
std::optional<AbsoluteTime> ShiftTime(AbsoluteTime base, int64_t span, int64_t times)
{
    const __int128 result = static_cast<__int128>(base) + static_cast<__int128>(span) * times;
    if (result < kMinAbsoluteTime || result > kMaxAbsoluteTime)
        return std::nullopt;
    return static_cast<AbsoluteTime>(result);
}

std::wstring FullFormOf(std::optional<AbsoluteTime> time)
{
    if (!time)
        return kNoDateText;
    const std::optional<CalendarTime> local = UtcSecondsToLocal(*time);
    if (!local)
        return kNoDateText;
    return FormatFull(*local);
}

std::wstring NumberText(int32_t number)
{
    return std::to_wstring(number);
}

int32_t Add32(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

int32_t Multiply32(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

// The path utilities want a writable buffer.
std::vector<wchar_t> PathBuffer(const std::wstring& path)
{
    std::vector<wchar_t> buffer(path.begin(), path.end());
    buffer.resize(path.size() + MAX_PATH + 1, L'\0');
    return buffer;
}

std::wstring FileNameOf(const std::wstring& path)
{
    std::vector<wchar_t> buffer = PathBuffer(path);
    PathStripPathW(buffer.data());
    PathRemoveExtensionW(buffer.data());
    return buffer.data();
}

std::wstring ExtensionOf(const std::wstring& path)
{
    return PathFindExtensionW(path.c_str());
}

std::wstring FolderOf(const std::wstring& path)
{
    std::vector<wchar_t> buffer = PathBuffer(path);
    PathRemoveFileSpecW(buffer.data());
    return buffer.data();
}

}  // namespace

void ExpandVariables(std::wstring& value, int32_t position, const std::wstring& oldValue,
                     const std::wstring& path)
{
    ExpandVariables(value, position, oldValue, path, ExpandOptions{});
}

void ExpandVariables(std::wstring& value, int32_t position, const std::wstring& oldValue,
                     const std::wstring& path, const ExpandOptions& options)
{
    const auto now = [&options] { return options.now ? options.now() : CurrentLocalTime(); };

    // Replace works on the template text alone, so it runs first; a value
    // with a Replace keeps any NumberSeries as literal text.
    if (value.find(kReplaceKey) != std::wstring::npos) {
        const TakenVariable replace = TakeVariable(value, kReplaceKey);
        const std::wstring replacement = ReadField(replace.text, kWithKey);
        std::wstring search;
        if (replace.text.size() > kReplaceKey.size()) {
            const size_t with = replace.text.find(kWithKey, kReplaceKey.size());
            if (with != std::wstring::npos)
                search = replace.text.substr(kReplaceKey.size(), with - kReplaceKey.size());
        }
        ReplaceAll(value, search, replacement);
    } else if (const TakenVariable series = TakeVariable(value, L"<%NumberSeries "); series.found) {
        const int32_t start = ReadNumber32(ReadField(series.text, L" start from:"));
        const int32_t step = ReadNumber32(ReadField(series.text, L" step:"));
        value.insert(series.insertAt, NumberText(Add32(start, Multiply32(position, step))));
    }

    if (const TakenVariable adjust = TakeVariable(value, L"<%NumberAdjust "); adjust.found) {
        const int32_t delta = ReadNumber32(ReadField(adjust.text, L" "));
        value = NumberText(Add32(delta, ReadNumber32(oldValue)));
    }

    if (const TakenVariable series = TakeVariable(value, L"<%TimeSeries "); series.found) {
        std::optional<AbsoluteTime> result = ReadVariableDate(ReadField(series.text, L" start from:"),
                                                              options.strictDates);
        if (result)
            result = ShiftTime(*result, ReadSignedSpan(ReadField(series.text, L" step:")), position);
        value.insert(series.insertAt, FullFormOf(result));
    }

    if (const TakenVariable adjust = TakeVariable(value, L"<%TimeAdjust "); adjust.found) {
        std::optional<AbsoluteTime> result = ReadVariableDate(oldValue, options.strictDates);
        if (result)
            result = ShiftTime(*result, ReadSignedSpan(ReadField(adjust.text, L" ")), 1);
        value = FullFormOf(result);
    }

    if (const TakenVariable time = TakeVariable(value, L"<%Time "); time.found) {
        const CalendarTime current = now();
        if (HasKey(time.text, L" 24H"))
            value.insert(time.insertAt, FormatTime24(current));
        if (HasKey(time.text, L" 12H"))
            value.insert(time.insertAt, FormatTime12(current));
    }

    if (const TakenVariable date = TakeVariable(value, L"<%Date "); date.found) {
        using Formatter = std::wstring (*)(const CalendarTime&);
        static const std::pair<std::wstring_view, Formatter> kForms[] = {
            {L" long", FormatLongDate},
            {L" short", FormatShortDate},
            {L" YYYY-MM-DD", FormatYearMonthDayDash},
            {L" MM/DD/YYYY", FormatMonthDayYearSlash},
            {L" DD/MM/YYYY", FormatDayMonthYearSlash},
            {L" YYYY:MM:DD", FormatYearMonthDayColon},
        };
        for (const auto& [key, format] : kForms) {
            if (HasKey(date.text, key)) {
                value.insert(date.insertAt, format(now()));
                break;
            }
        }
    }

    ReplaceAll(value, L"<%OldPropertyValue%>", oldValue);
    ReplaceAll(value, L"<%FileName%>", FileNameOf(path));
    ReplaceAll(value, L"<%FileExtension%>", ExtensionOf(path));
    ReplaceAll(value, L"<%FolderName%>", FolderOf(path));
}

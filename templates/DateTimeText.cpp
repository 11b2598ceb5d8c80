#include "templates/DateTimeText.h"

#include <cwctype>
#include <vector>

namespace {

std::wstring_view Trim(std::wstring_view text)
{
    while (!text.empty() && std::iswspace(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && std::iswspace(text.back()))
        text.remove_suffix(1);
    return text;
}

// Splits at ":", skipping empty pieces.
std::vector<std::wstring_view> SplitColons(std::wstring_view text)
{
    std::vector<std::wstring_view> pieces;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L':', start);
        if (end == std::wstring_view::npos)
            end = text.size();
        if (end > start)
            pieces.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return pieces;
}

size_t CountColons(std::wstring_view text)
{
    size_t count = 0;
    for (wchar_t c : text)
        count += c == L':';
    return count;
}

}  // namespace

int32_t ReadNumber32(std::wstring_view text)
{
    size_t i = 0;
    while (i < text.size() && std::iswspace(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == L'+' || text[i] == L'-')) {
        negative = text[i] == L'-';
        ++i;
    }
    uint32_t value = 0;
    for (; i < text.size() && text[i] >= L'0' && text[i] <= L'9'; ++i)
        value = value * 10u + static_cast<uint32_t>(text[i] - L'0');
    if (negative)
        value = 0u - value;
    return static_cast<int32_t>(value);
}

ParsedDateTime ParseDateTimeText(std::wstring_view text)
{
    std::wstring normalized(Trim(text));
    for (wchar_t& c : normalized)
        if (c == L' ' || c == L'-')
            c = L':';
    if (CountColons(normalized) != 5)
        return {};
    const std::vector<std::wstring_view> pieces = SplitColons(normalized);
    if (pieces.size() != 6)
        return {};

    CalendarTime fields;
    fields.year = ReadNumber32(pieces[0]);
    fields.month = ReadNumber32(pieces[1]);
    fields.day = ReadNumber32(pieces[2]);
    fields.hour = ReadNumber32(pieces[3]);
    fields.minute = ReadNumber32(pieces[4]);
    fields.second = ReadNumber32(pieces[5]);

    const ParsedDateTime outOfRange{0, DateTextKind::OutOfRange};
    if (fields.year < 1900 || fields.month < 1 || fields.month > 12 || fields.day < 1 || fields.day > 31 ||
        fields.hour < 0 || fields.hour > 23 || fields.minute < 0 || fields.minute > 59 || fields.second < 0 ||
        fields.second > 59)
        return outOfRange;
    // Years far past the range would only overflow the arithmetic below.
    if (fields.year > 3001)
        return outOfRange;
    const std::optional<int64_t> instant = LocalToUtcSeconds(fields);
    if (!instant || !IsAbsoluteTimeInRange(*instant))
        return outOfRange;
    return {*instant, DateTextKind::Date};
}

int64_t ParseTimeSpanText(std::wstring_view text)
{
    if (CountColons(text) != 3)
        return 0;
    const std::vector<std::wstring_view> pieces = SplitColons(Trim(text));
    if (pieces.size() != 4)
        return 0;
    const int64_t days = ReadNumber32(pieces[0]);
    const int64_t hours = ReadNumber32(pieces[1]);
    const int64_t minutes = ReadNumber32(pieces[2]);
    const int64_t seconds = ReadNumber32(pieces[3]);
    return ((days * 24 + hours) * 60 + minutes) * 60 + seconds;
}

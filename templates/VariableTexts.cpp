#include "templates/VariableTexts.h"

namespace {

// A snippet whose editable part is `editable`, found in `text`.
VariableSnippet Editable(std::wstring text, std::wstring_view editable)
{
    const size_t start = text.find(editable);
    return {text, start, start + editable.size()};
}

VariableSnippet Fixed(std::wstring text)
{
    const size_t end = text.size();
    return {std::move(text), end, end};
}

}  // namespace

std::wstring TimeCommandForChoice(std::wstring_view item, const CalendarTime& now)
{
    if (item == L"TimeSeries")
        return L"<%TimeSeries start from:" + FormatFull(now) + L"; step:+1:01:00:00%>";
    if (item == L"TimeAdjust")
        return L"<%TimeAdjust +1:01:00:00%>";
    return std::wstring(item);
}

std::optional<VariableSnippet> SnippetForVariable(std::wstring_view item, const CalendarTime& now)
{
    if (item == L"NumberSeries") {
        // The start is what changes most; the step stays one.
        VariableSnippet snippet{L"<%NumberSeries start from:1; step:1%>", 0, 0};
        snippet.selectStart = snippet.text.find(L":1;") + 1;
        snippet.selectEnd = snippet.selectStart + 1;
        return snippet;
    }
    if (item == L"NumberAdjust")
        return Editable(L"<%NumberAdjust +1%>", L"+1");
    if (item == L"TimeSeries") {
        const std::wstring start = FormatFull(now);
        return Editable(L"<%TimeSeries start from:" + start + L"; step:+0:01:00:00%>", start);
    }
    if (item == L"TimeAdjust")
        return Editable(L"<%TimeAdjust +0:01:00:00%>", L"+0:01:00:00");
    if (item == L"Replace")
        return Editable(L"<%Replace%old%With%new%>", L"old");
    if (item == L"OldPropertyValue" || item == L"FileName" || item == L"FileExtension" ||
        item == L"FolderName")
        return Fixed(L"<%" + std::wstring(item) + L"%>");
    // "Time 24H", "Date long" and the other forms are the variable's own text.
    for (const std::wstring_view form : kVariableItems)
        if (form == item && (item.starts_with(L"Time ") || item.starts_with(L"Date ")))
            return Fixed(L"<%" + std::wstring(item) + L"%>");
    return std::nullopt;
}

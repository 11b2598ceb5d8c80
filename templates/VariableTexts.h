#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "templates/CalendarTime.h"

// The ready-made texts of the command combo and of "Add Variable".

// Command combo items of the "File date time" rows, in order; item 1 is the
// one that enables the date and time pickers.
inline constexpr std::array<std::wstring_view, 7> kTimeCommandItems = {
    L"Do not change", L"Use value from date time picker", L"TimeSeries", L"TimeAdjust",
    L"Use file create time", L"Use file modify time", L"Use file last access time",
};
inline constexpr int kPickerCommandIndex = 1;

// Command combo items of the metadata categories: the variables "Add
// Variable" inserts.
inline constexpr std::array<std::wstring_view, 17> kVariableItems = {
    L"NumberSeries", L"NumberAdjust", L"TimeSeries", L"TimeAdjust", L"Time 24H", L"Time 12H",
    L"Date long", L"Date short", L"Date YYYY-MM-DD", L"Date MM/DD/YYYY", L"Date DD/MM/YYYY",
    L"Date YYYY:MM:DD", L"OldPropertyValue", L"FileName", L"FileExtension", L"FolderName", L"Replace",
};

// The time command a choice in the "File date time" combo stands for:
// "TimeSeries" starts a one-day-one-hour series at `now`, "TimeAdjust" adds
// one day and one hour; every other item is its own command.
std::wstring TimeCommandForChoice(std::wstring_view item, const CalendarTime& now);

// A variable ready to be edited: its text and the part of it (start, end,
// counted in the text) the user most likely changes; start == end when
// nothing needs changing and the caret goes there.
struct VariableSnippet {
    std::wstring text;
    size_t selectStart = 0;
    size_t selectEnd = 0;
};

// The snippet of one of kVariableItems; nullopt for any other text.
std::optional<VariableSnippet> SnippetForVariable(std::wstring_view item, const CalendarTime& now);

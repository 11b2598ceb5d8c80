#pragma once

#include <windows.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

// One row of the "File attributes" property list and the bit it shows.
struct AttributeRow {
    std::wstring_view name;
    DWORD bit;
};

inline constexpr std::array<AttributeRow, 8> kAttributeRows = {{
    {L"Archive", FILE_ATTRIBUTE_ARCHIVE},
    {L"Read-only", FILE_ATTRIBUTE_READONLY},
    {L"Hidden", FILE_ATTRIBUTE_HIDDEN},
    {L"System", FILE_ATTRIBUTE_SYSTEM},
    {L"temporary", FILE_ATTRIBUTE_TEMPORARY},
    {L"offline", FILE_ATTRIBUTE_OFFLINE},
    {L"NotContentIndexed", FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
    {L"Normal", FILE_ATTRIBUTE_NORMAL},
}};

// The bit of a row name (exact, case-sensitive); 0 for any other text.
DWORD AttributeBitOf(std::wstring_view rowName);

// Whether the row shows "Yes"; a name that is none of the rows counts as not set.
bool IsAttributeRowSet(DWORD mask, std::wstring_view rowName);
const wchar_t* AttributeRowText(DWORD mask, std::wstring_view rowName);

// The template mask after Yes or No on one row. Yes on "Normal" leaves only
// the Normal bit, as the system treats Normal as "no other attribute";
// bits no row shows travel unchanged otherwise.
DWORD ApplyAttributeChoice(DWORD mask, std::wstring_view rowName, bool yes);
// The same for every selected row, in order.
DWORD ApplyAttributeChoice(DWORD mask, const std::vector<std::wstring>& rowNames, bool yes);

// The file view's attribute letters, "RDHSAOTCEIN" order, one per set bit.
std::wstring AttributeLetters(DWORD attributes);

// Writes the whole mask to the file. errorText is set only on failure.
bool ChangeFileAttributes(const std::wstring& path, DWORD mask, std::wstring& errorText);

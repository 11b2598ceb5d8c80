#include "templates/FileAttributes.h"

#include "support/ErrorLog.h"

DWORD AttributeBitOf(std::wstring_view rowName)
{
    for (const AttributeRow& row : kAttributeRows)
        if (row.name == rowName)
            return row.bit;
    return 0;
}

bool IsAttributeRowSet(DWORD mask, std::wstring_view rowName)
{
    const DWORD bit = AttributeBitOf(rowName);
    return bit != 0 && (mask & bit) != 0;
}

const wchar_t* AttributeRowText(DWORD mask, std::wstring_view rowName)
{
    return IsAttributeRowSet(mask, rowName) ? L"Yes" : L"No";
}

DWORD ApplyAttributeChoice(DWORD mask, std::wstring_view rowName, bool yes)
{
    const DWORD bit = AttributeBitOf(rowName);
    if (bit == 0)
        return mask;
    if (!yes)
        return mask & ~bit;
    if (bit == FILE_ATTRIBUTE_NORMAL)
        return FILE_ATTRIBUTE_NORMAL;
    return mask | bit;
}

DWORD ApplyAttributeChoice(DWORD mask, const std::vector<std::wstring>& rowNames, bool yes)
{
    for (const std::wstring& name : rowNames)
        mask = ApplyAttributeChoice(mask, name, yes);
    return mask;
}

std::wstring AttributeLetters(DWORD attributes)
{
    static constexpr struct {
        wchar_t letter;
        DWORD bit;
    } kLetters[] = {
        {L'R', FILE_ATTRIBUTE_READONLY},  {L'D', FILE_ATTRIBUTE_DIRECTORY},
        {L'H', FILE_ATTRIBUTE_HIDDEN},    {L'S', FILE_ATTRIBUTE_SYSTEM},
        {L'A', FILE_ATTRIBUTE_ARCHIVE},   {L'O', FILE_ATTRIBUTE_OFFLINE},
        {L'T', FILE_ATTRIBUTE_TEMPORARY}, {L'C', FILE_ATTRIBUTE_COMPRESSED},
        {L'E', FILE_ATTRIBUTE_ENCRYPTED}, {L'I', FILE_ATTRIBUTE_NOT_CONTENT_INDEXED},
        {L'N', FILE_ATTRIBUTE_NORMAL},
    };
    std::wstring letters;
    for (const auto& entry : kLetters)
        if (attributes & entry.bit)
            letters += entry.letter;
    return letters;
}

bool ChangeFileAttributes(const std::wstring& path, DWORD mask, std::wstring& errorText)
{
    if (!SetFileAttributesW(path.c_str(), mask)) {
        const DWORD error = GetLastError();
        errorText = L"Change file attribute error: " + GetSystemErrorText(error);
        LogError(L"(ChangeFileAttributes) SetFileAttributes error: %d.", static_cast<int>(error));
        return false;
    }
    return true;
}

#include "templates/ExifRowText.h"

std::wstring ExifKeyFromRowText(const std::wstring& rowText)
{
    const size_t bracket = rowText.find(L'(');
    if (bracket == std::wstring::npos || bracket == 0)
        return rowText;
    return rowText.substr(0, bracket);
}

std::wstring TypeDisplayName(uint16_t type)
{
    switch (type) {
    case 1: return L"Byte";
    case 2: return L"ASCII";
    case 3: return L"Short";
    case 4: return L"Long";
    case 5: return L"Rational";
    case 7: return L"Undefined";
    case 9: return L"SLONG";
    case 10: return L"SRational";
    default: return L"Unknown";
    }
}

bool IsByteNotationType(uint16_t type)
{
    return type == 1 || type == 7;
}

std::wstring ExifHelpText(const ExifValue& value)
{
    std::wstring help = L"Data type: " + TypeDisplayName(value.type);
    switch (value.type) {
    case 3: case 4: case 5: case 9: case 10:
        help += L"; Number of elements: " + std::to_wstring(value.count);
        if (!value.hint.empty())
            help += L"; " + value.hint;
        break;
    default:
        help += L"; Data length: " + std::to_wstring(value.length);
        break;
    }
    if (value.readOnly)
        help += L" [Readonly]";
    return help;
}

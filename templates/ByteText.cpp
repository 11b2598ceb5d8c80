#include "templates/ByteText.h"

#include <windows.h>
#include <shlwapi.h>

#include <cwchar>

std::wstring TextToByteString(std::wstring_view text)
{
    std::wstring bytes;
    bytes.reserve(text.size() * 6 + 5);
    for (const wchar_t unit : text) {
        wchar_t pair[8] = {};
        std::swprintf(pair, 8, L"%02X %02X ", static_cast<unsigned>(unit & 0xFF),
                      static_cast<unsigned>((unit >> 8) & 0xFF));
        bytes += pair;
    }
    bytes += L"00 00";
    return bytes;
}

std::wstring BytePreviewText(std::wstring_view byteText)
{
    std::wstring preview;
    size_t position = 0;
    while (position < byteText.size()) {
        const size_t start = byteText.find_first_not_of(L' ', position);
        if (start == std::wstring_view::npos)
            break;
        size_t end = byteText.find(L' ', start);
        if (end == std::wstring_view::npos)
            end = byteText.size();
        const std::wstring number = L"0x" + std::wstring(byteText.substr(start, end - start));
        int value = 0;
        if (!::StrToIntExW(number.c_str(), STIF_SUPPORT_HEX, &value))
            value = 0;
        const wchar_t byte = static_cast<wchar_t>(value & 0xFF);
        preview += byte != 0 ? byte : L'.';
        position = end;
    }
    return preview;
}

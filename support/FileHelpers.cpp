#include "support/FileHelpers.h"

#include <windows.h>
#include <shlwapi.h>

#include <climits>

#include "support/UniqueHandle.h"

bool FileExists(const std::wstring& path)
{
    return !path.empty() && PathFileExistsW(path.c_str()) != FALSE;
}

int ReadWholeFile(const std::wstring& path, std::string& bytes)
{
    if (!FileExists(path))
        return -1;
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return -1;

    // The size is asked as 64 bits: a file of 2 GiB or more cannot be
    // reported through the int result, and taking only the low half of its
    // size would silently read a fraction of it.
    LARGE_INTEGER size = {};
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > INT_MAX)
        return -1;

    const DWORD length = static_cast<DWORD>(size.QuadPart);
    bytes.assign(length, '\0');
    DWORD read = 0;
    if (length == 0)
        return 0;
    if (!ReadFile(file.Get(), bytes.data(), length, &read, nullptr) || read != length)
        return -1;
    return static_cast<int>(length);
}

bool WriteWholeFile(const std::wstring& path, const std::string& bytes)
{
    UniqueHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    if (bytes.size() > MAXDWORD)
        return false;
    const DWORD length = static_cast<DWORD>(bytes.size());
    DWORD written = 0;
    if (length == 0)
        return true;
    return WriteFile(file.Get(), bytes.data(), length, &written, nullptr) && written == length;
}

bool DeleteFileIfExists(const std::wstring& path)
{
    if (!FileExists(path))
        return true;
    return DeleteFileW(path.c_str()) != FALSE;
}

std::wstring Utf8ToWide(const std::string& bytes)
{
    if (bytes.empty() || bytes.size() > INT_MAX)
        return {};
    const int inLength = static_cast<int>(bytes.size());
    const int outLength = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), inLength, nullptr, 0);
    if (outLength <= 0)
        return {};
    std::wstring text(static_cast<size_t>(outLength), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), inLength, text.data(), outLength);
    return text;
}

std::string WideToUtf8(const std::wstring& text)
{
    if (text.empty() || text.size() > INT_MAX)
        return {};
    const int inLength = static_cast<int>(text.size());
    const int outLength =
        WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (outLength <= 0)
        return {};
    std::string bytes(static_cast<size_t>(outLength), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), inLength, bytes.data(), outLength, nullptr, nullptr);
    return bytes;
}

#include "support/DataFolder.h"

#include <windows.h>
#include <shlobj.h>

std::wstring GetAppDataFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA | CSIDL_FLAG_CREATE, nullptr,
                                SHGFP_TYPE_DEFAULT, buffer)))
        return {};
    std::wstring folder(buffer);
    if (!folder.empty() && folder.back() != L'\\')
        folder += L'\\';
    return folder;
}

std::wstring GetDataFolder()
{
    return GetAppDataFolder() + L"Nimbrel\\";
}

bool CreateFolderPath(const std::wstring& path)
{
    std::wstring work = path;
    if (work.empty() || work.back() != L'\\')
        work += L'\\';

    // Index 3 skips the backslash of a drive root such as C:\, which is not a
    // folder to create.
    bool lastCreated = false;
    size_t searchFrom = 3;
    while (searchFrom < work.size()) {
        const size_t slash = work.find(L'\\', searchFrom);
        if (slash == std::wstring::npos)
            break;
        const std::wstring folder = work.substr(0, slash);
        lastCreated = CreateDirectoryW(folder.c_str(), nullptr) != FALSE;
        if (!lastCreated && GetLastError() != ERROR_ALREADY_EXISTS)
            break;  // deeper folders cannot exist without this one
        searchFrom = slash + 1;
    }
    return lastCreated;
}

std::wstring GetModuleFolder()
{
    wchar_t buffer[MAX_PATH] = {};
    const DWORD length = GetModuleFileNameW(nullptr, buffer, MAX_PATH);
    std::wstring path(buffer, length < MAX_PATH ? length : MAX_PATH);
    const size_t slash = path.rfind(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

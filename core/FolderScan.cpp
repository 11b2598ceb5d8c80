#include "core/FolderScan.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "core/ChosenPath.h"
#include "support/UniqueHandle.h"

namespace {

HANDLE FindFirst(const std::wstring& pattern, WIN32_FIND_DATAW& data)
{
    // Without the short names and with larger batches, listing a big folder
    // is markedly faster; systems before Windows 7 reject both flags.
    HANDLE find = FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data, FindExSearchNameMatch,
                                   nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER)
        find = FindFirstFileW(pattern.c_str(), &data);
    return find;
}

// A folder's identity, the same through every path that leads to it.
struct FolderId {
    DWORD volume = 0;
    DWORD indexHigh = 0;
    DWORD indexLow = 0;
    bool operator==(const FolderId&) const = default;
};

bool ReadFolderId(const std::wstring& folder, FolderId& id)
{
    UniqueHandle handle(CreateFileW(folder.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info = {};
    if (!handle || !GetFileInformationByHandle(handle.Get(), &info))
        return false;
    id = {info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
    return true;
}

bool IsFolderLink(const WIN32_FIND_DATAW& data)
{
    // With the reparse-point attribute, dwReserved0 holds the tag; symbolic
    // links, junctions and mount points are the "name surrogates". Other
    // reparse points (cloud placeholders, deduplicated folders) hold real
    // content and are searched.
    return (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
           IsReparseTagNameSurrogate(data.dwReserved0);
}

class Scanner {
public:
    Scanner(const std::function<ScanOptions()>& currentOptions,
            const std::function<void(const std::wstring&)>& addPath)
        : currentOptions_(currentOptions), addPath_(addPath)
    {
    }

    // Searches `folder` through `pattern` unless it is already being searched
    // further up; a folder whose identity cannot be read is searched anyway.
    void Descend(const std::wstring& folder, const std::wstring& pattern)
    {
        FolderId id;
        const bool known = ReadFolderId(folder, id);
        if (known) {
            if (std::find(ancestors_.begin(), ancestors_.end(), id) != ancestors_.end())
                return;
            ancestors_.push_back(id);
        }
        ScanLevel(pattern);
        if (known)
            ancestors_.pop_back();
    }

private:
    void ScanLevel(const std::wstring& pattern)
    {
        WIN32_FIND_DATAW data = {};
        const UniqueFindHandle find(FindFirst(pattern, data));
        if (!find.IsValid())
            return;
        const std::wstring folder = FolderOfPath(pattern);
        do {
            const std::wstring_view name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const bool isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
            const std::wstring path = folder + std::wstring(name);

            ScanOptions options = currentOptions_();
            if (isFolder && options.includeSubDir && !IsFolderLink(data)) {
                Descend(path, path + L"\\*.*");
                options = currentOptions_();  // the boxes may have changed meanwhile
            }
            if (isFolder ? !options.includeDir : options.dirOnly)
                continue;
            addPath_(path);
        } while (FindNextFileW(find.Get(), &data));
    }

    const std::function<ScanOptions()>& currentOptions_;
    const std::function<void(const std::wstring&)>& addPath_;
    std::vector<FolderId> ancestors_;  // the folders being searched, outermost first
};

}  // namespace

void ScanFolder(const std::wstring& pattern, const std::function<ScanOptions()>& currentOptions,
                const std::function<void(const std::wstring&)>& addPath)
{
    Scanner(currentOptions, addPath).Descend(FolderOfPath(pattern), pattern);
}

#pragma once

#include <windows.h>

#include <functional>
#include <string>

// Owns a find handle, which FindClose releases (not CloseHandle).
class UniqueFindHandle {
public:
    explicit UniqueFindHandle(HANDLE handle) : handle_(handle) {}
    UniqueFindHandle(const UniqueFindHandle&) = delete;
    UniqueFindHandle& operator=(const UniqueFindHandle&) = delete;
    ~UniqueFindHandle()
    {
        if (IsValid())
            FindClose(handle_);
    }

    bool IsValid() const { return handle_ != INVALID_HANDLE_VALUE && handle_ != nullptr; }
    HANDLE Get() const { return handle_; }

private:
    HANDLE handle_;
};

// The three scan check boxes.
struct ScanOptions {
    bool includeSubDir = false;  // descend into sub-folders
    bool includeDir = false;     // add folders as entries too
    bool dirOnly = false;        // add no files
};

// Adds the entries of the folder named by `pattern` (a folder path followed
// by "\*.*") through `addPath`, in the file system's order. `currentOptions`
// is asked again for every item, so a box ticked during a long scan counts
// from the next item on. With includeSubDir a sub-folder's content comes
// before the sub-folder's own entry. A folder that cannot be searched adds
// nothing and the scan goes on.
//
// Links are not followed: a folder that is a symbolic link, junction or
// mount point is added like any folder but not descended into, and neither is
// a folder that is one of its own ancestors (a loop the file system does not
// mark as a link, such as a symbolic link on a network share). Two links
// back to the parent would otherwise multiply the entries at every level.
void ScanFolder(const std::wstring& pattern, const std::function<ScanOptions()>& currentOptions,
                const std::function<void(const std::wstring&)>& addPath);

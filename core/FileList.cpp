#include "core/FileList.h"

#include <algorithm>

bool FileList::AddPath(const std::wstring& path)
{
    if (Contains(path))
        return false;
    auto owned = std::make_unique<const std::wstring>(path);
    index_.insert(std::wstring_view(*owned));
    paths_.push_back(std::move(owned));
    return true;
}

bool FileList::Remove(std::wstring_view path)
{
    if (index_.erase(path) == 0)
        return false;
    const auto found = std::find_if(paths_.begin(), paths_.end(),
                                    [&](const auto& entry) { return *entry == path; });
    paths_.erase(found);
    return true;
}

void FileList::Clear()
{
    index_.clear();
    paths_.clear();
}

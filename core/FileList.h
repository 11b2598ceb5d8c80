#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

// The ordered, duplicate-free list of added paths. Paths compare exactly and
// case-sensitively (C:\a.txt and c:\A.TXT are two entries); order is the
// order of adding. Adding is O(1) so that folders of 100,000 files stay fast.
class FileList {
public:
    // Appends `path` unless an equal entry exists; true when it was added.
    bool AddPath(const std::wstring& path);
    bool Contains(std::wstring_view path) const { return index_.count(path) != 0; }

    size_t Count() const { return paths_.size(); }
    bool Empty() const { return paths_.empty(); }
    const std::wstring& At(size_t position) const { return *paths_[position]; }

    // Removes the entry equal to `path`; false when there is none.
    bool Remove(std::wstring_view path);
    void Clear();

    template <typename Visit>
    void ForEach(Visit visit) const
    {
        for (const auto& path : paths_)
            visit(*path);
    }

private:
    // Each path is held once; the index refers to the owned texts, which do
    // not move when the vector grows.
    std::vector<std::unique_ptr<const std::wstring>> paths_;
    std::unordered_set<std::wstring_view> index_;
};

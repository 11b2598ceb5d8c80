#pragma once

#include <map>
#include <memory>
#include <string>

#include "core/PropertySet.h"

// The values each processed file had before the last batch, by full path
// (exact, case-sensitive), so that Undo can put them back.
class OriginalValueStore {
public:
    // The record for `path`, created empty when there is none yet.
    PropertySet& Record(const std::wstring& path)
    {
        auto& slot = records_[path];
        if (!slot)
            slot = std::make_unique<PropertySet>();
        return *slot;
    }
    PropertySet* Find(const std::wstring& path)
    {
        const auto found = records_.find(path);
        return found == records_.end() ? nullptr : found->second.get();
    }

    bool Empty() const { return records_.empty(); }
    size_t Count() const { return records_.size(); }
    void Clear() { records_.clear(); }

private:
    std::map<std::wstring, std::unique_ptr<PropertySet>> records_;
};

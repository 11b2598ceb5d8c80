#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/PropertyCategory.h"
#include "core/PropertySet.h"

// The reader and writer of one metadata category ("Document summary",
// "Picture properties (EXIF)", "MP3 ID3 Tags", "AVI properties"). Each works
// on its own category's map of a PropertySet and opens and releases the file
// within each call.
class CategoryBackend {
public:
    virtual ~CategoryBackend() = default;

    // Empties this category's map of `target` and fills it from the file; a
    // file that cannot be read leaves the map empty.
    virtual void ReadValues(const std::wstring& path, PropertySet& target) = 0;

    // Writes this category's map of `values` to the file. Apply expands the
    // variables of each value for `position` (the file's row in the file
    // view); undo writes the captured values as they are. `error` is set only
    // on failure.
    virtual bool WriteValues(const std::wstring& path, const PropertySet& values, int32_t position, bool undo,
                             std::wstring& error) = 0;

    // The names the property combo offers for adding to the template.
    virtual std::vector<std::wstring> AddablePropertyNames() = 0;

    // Puts an empty value for a name of AddablePropertyNames into this
    // category's map of `target` (a value already there is kept) and returns
    // the property list row that shows it.
    virtual std::wstring AddProperty(const std::wstring& name, PropertySet& target) = 0;

    // The property list row of an EXIF map key: the tag's display name, the
    // key followed by its description in parentheses. The panel takes the
    // key back as the text before the first "(". Text values are listed
    // under their own names.
    virtual std::wstring RowText(const std::wstring& key) { return key; }

    // The type shown after "Data type: " in the help line of a row: "String"
    // for document-summary and AVI values, the frame's type for ID3. EXIF
    // rows show the type of their own value instead.
    virtual std::wstring ValueTypeName(const std::wstring& rowText) = 0;
};

// The backend of a metadata category; nullptr for the two file categories,
// for no category, and for a category whose backend is not there.
CategoryBackend* BackendFor(PropertyCategory category);

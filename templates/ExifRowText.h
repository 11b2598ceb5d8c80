#pragma once

#include <cstdint>
#include <string>

#include "core/PropertySet.h"

// How an EXIF property shows in the template panel: the map key behind a
// property list row and the help line under the value editor.

// The row text up to its first "(" (the description the tag table adds),
// unless the text starts with "(" or has none: then the whole text.
std::wstring ExifKeyFromRowText(const std::wstring& rowText);

// The property type's name as the user sees it: "Byte", "ASCII", "Short",
// "Long", "Rational", "Undefined", "SLONG", "SRational", otherwise "Unknown".
std::wstring TypeDisplayName(uint16_t type);

// Byte and Undefined values are edited in byte notation with a preview.
bool IsByteNotationType(uint16_t type);

// "Data type: Short; Number of elements: 1; <hint>" for the number types,
// "Data type: ASCII; Data length: 12" for the others, and " [Readonly]" at
// the end of a value that is never written.
std::wstring ExifHelpText(const ExifValue& value);

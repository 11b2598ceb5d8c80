#include "backends/CategoryBackend.h"

CategoryBackend* BackendFor(PropertyCategory category)
{
    // Each metadata category gets its backend here as the backend arrives.
    switch (category) {
    case PropertyCategory::DocumentSummary:
    case PropertyCategory::PictureExif:
    case PropertyCategory::Mp3Id3:
    case PropertyCategory::AviInfo:
    default:
        return nullptr;
    }
}

#pragma once

#include <array>
#include <cstddef>

// Where the main window's resizable controls go for a new client size. Pure
// arithmetic on rectangles in client coordinates, so that it can be checked
// without a window.
struct LayoutRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

enum class LayoutItem {
    TimePicker, DatePicker, CommandCombo, AddVariable, ResultLog, ValueEditor, ConvertToBytes,
    ByteLabel, BytePreview, PreviewGroup, MediaPreviewCheck, PreviewControl, QuickViewText,
    FileView, Step1Group, Step2Group, Step3Group, HelpLine, ProgressBar, Step1Line,
    Count
};

using MainLayout = std::array<LayoutRect, static_cast<std::size_t>(LayoutItem::Count)>;

inline LayoutRect& At(MainLayout& layout, LayoutItem item) { return layout[static_cast<std::size_t>(item)]; }
inline const LayoutRect& At(const MainLayout& layout, LayoutItem item)
{
    return layout[static_cast<std::size_t>(item)];
}

// `current` holds every item's present rectangle; the result holds where each
// goes for client width and height W, H. Items keep their top and height
// unless the rules say otherwise.
MainLayout ComputeMainLayout(const MainLayout& current, int clientWidth, int clientHeight,
                             bool quickView);

// The file view's right edge for the QuickView state, as the check box sets it.
int FileViewRightForQuickView(const LayoutRect& previewGroup, int clientWidth, bool quickView);

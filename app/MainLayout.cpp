#include "app/MainLayout.h"

namespace {

// Keeps the width, puts the right edge at `right`.
void PlaceRight(LayoutRect& rect, int right)
{
    const int width = rect.Width();
    rect.right = right;
    rect.left = right - width;
}

void PlaceLeft(LayoutRect& rect, int left)
{
    const int width = rect.Width();
    rect.left = left;
    rect.right = left + width;
}

}  // namespace

MainLayout ComputeMainLayout(const MainLayout& current, int W, int H, bool quickView)
{
    MainLayout next = current;
    using I = LayoutItem;

    PlaceRight(At(next, I::TimePicker), W - 18);
    PlaceRight(At(next, I::DatePicker), At(next, I::TimePicker).left - 5);
    At(next, I::CommandCombo).right = At(next, I::DatePicker).left - 5;
    PlaceLeft(At(next, I::AddVariable), At(next, I::CommandCombo).right + 5);

    At(next, I::ResultLog).right = W - 18;
    At(next, I::ResultLog).bottom = H - 10;
    At(next, I::ValueEditor).right = W - 18;
    PlaceRight(At(next, I::ConvertToBytes), W - 18);
    At(next, I::ByteLabel).right = W - 162;
    At(next, I::BytePreview).right = W - 18;

    LayoutRect& group = At(next, I::PreviewGroup);
    PlaceRight(group, W - 15);
    LayoutRect& media = At(next, I::MediaPreviewCheck);
    PlaceLeft(media, group.left + 80);
    media.top = group.top;
    media.bottom = group.top + 16;
    const LayoutRect inner{group.left + 4, group.top + 20, group.right - 4, group.bottom - 4};
    At(next, I::PreviewControl) = inner;
    At(next, I::QuickViewText) = inner;

    At(next, I::FileView).right = quickView ? W - 18 - group.Width() : W - 18;
    At(next, I::Step1Group).right = W - 12;
    At(next, I::Step2Group).right = W - 12;
    At(next, I::Step3Group).right = W - 12;
    At(next, I::Step3Group).bottom = H - 8;
    At(next, I::HelpLine).right = W - 18;
    At(next, I::ProgressBar).right = W - 18;
    At(next, I::Step1Line).right = W - 16;
    return next;
}

int FileViewRightForQuickView(const LayoutRect& previewGroup, int clientWidth, bool quickView)
{
    return quickView ? previewGroup.left - 3 : clientWidth - 9;
}

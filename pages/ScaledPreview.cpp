#include "pages/ScaledPreview.h"

#include <algorithm>
#include <utility>

namespace {
int Round(float v) { return static_cast<int>(v + 0.5f); }
}  // namespace

PagePreviewRect ScaledPreviewRect(const PagePreviewRect& box, int referenceWidth, int referenceHeight,
                                  const PictureRect& c) {
    float scaleX = static_cast<float>(referenceWidth) / static_cast<float>(std::max(1, box.Right - box.Left));
    float scaleY = static_cast<float>(referenceHeight) / static_cast<float>(std::max(1, box.Bottom - box.Top));
    if (scaleX == 0.0f) scaleX = 1.0f;
    if (scaleY == 0.0f) scaleY = 1.0f;
    PagePreviewRect r;
    r.Left = box.Left + Round(static_cast<float>(c.X) / scaleX);
    r.Top = box.Top + Round(static_cast<float>(c.Y) / scaleY);
    r.Right = r.Left + Round(static_cast<float>(c.Width) / scaleX);
    r.Bottom = r.Top + Round(static_cast<float>(c.Height) / scaleY);
    if (r.Left > r.Right) std::swap(r.Left, r.Right);
    if (r.Top > r.Bottom) std::swap(r.Top, r.Bottom);
    return r;
}

#include "pages/CropPageLogic.h"

#include <algorithm>
#include <utility>

PictureRect ClampCropEdit(PictureRect c, CropEdit edited, int sourceWidth, int sourceHeight) {
    const bool haveWidth = sourceWidth > 0, haveHeight = sourceHeight > 0;
    switch (edited) {
    case CropEdit::HStart:
        if (haveWidth && c.X > sourceWidth - c.Width) c.X = sourceWidth - c.Width;
        break;
    case CropEdit::VStart:
        if (haveHeight && c.Y > sourceHeight - c.Height) c.Y = sourceHeight - c.Height;
        break;
    case CropEdit::Width:
        if (haveWidth && c.Width > sourceWidth - c.X) c.Width = sourceWidth - c.X;
        break;
    case CropEdit::Height:
        if (haveHeight && c.Height > sourceHeight - c.Y) c.Height = sourceHeight - c.Y;
        break;
    }
    c.X = std::max(0, c.X);
    c.Y = std::max(0, c.Y);
    c.Width = std::max(0, c.Width);
    c.Height = std::max(0, c.Height);
    return c;
}


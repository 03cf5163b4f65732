#pragma once
// A rectangle of a picture (a crop of a source, a logo on the output) drawn to scale inside a
// small box on a page; the crop and logo pages share it.

struct PictureRect {
    int X = 0, Y = 0, Width = 0, Height = 0;
    bool operator==(const PictureRect&) const = default;
};

struct PagePreviewRect {
    int Left = 0, Top = 0, Right = 0, Bottom = 0;
    bool operator==(const PagePreviewRect&) const = default;
};
// The rectangle drawn inside `box` (page pixels), for a picture of the reference size; a
// reference size of 0 draws at scale 1.
PagePreviewRect ScaledPreviewRect(const PagePreviewRect& box, int referenceWidth, int referenceHeight,
                                  const PictureRect& crop);


#pragma once
// Position <-> pixel arithmetic of the bitmap slider, its keys and its drag.
struct SliderGeometry {
    int Width = 0, Height = 0;            // client size
    int ThumbWidth = 0, ThumbHeight = 0;
    int MarginLeft = 0, MarginRight = 0, MarginTop = 0, MarginBottom = 0;
    int Min = 0, Max = 100;
    bool Vertical = false;
};

// Centre pixel of the thumb for a position. A collapsed range puts the thumb at the track start.
int Pos2Pixel(const SliderGeometry& g, int pos);
// Position for a thumb-centre pixel, clamped to the range. A track too short to measure gives Min.
int Pixel2Pos(const SliderGeometry& g, int pixel);
// The thumb centre is kept on the track.
int ClampThumbPixel(const SliderGeometry& g, int pixel);
// Where a press at `point` (along the track) grabs the thumb: the offset from the thumb centre,
// or 0 (the thumb jumps under the cursor) when the press is beside the thumb.
int DragOffset(const SliderGeometry& g, int pos, int point);

enum class SliderKey { PageUp, PageDown, Home, End, Left, Up, Right, Down };
// The position after a key, clamped to the range.
int SliderKeyPosition(SliderKey key, int pos, int page, int min, int max);

#pragma once
// The crop page's arithmetic without windows: the crop kept inside its source, and its preview
// scaled into the page's small picture of the source.
#include <cstdint>

#include "pages/ScaledPreview.h"

enum class CropEdit { HStart, VStart, Width, Height };

// Pulls the edited value back so that the crop stays inside a source of `sourceWidth` x
// `sourceHeight`. A source of size 0 (no signal) has no size to hold the crop to: the value is
// left as typed rather than forced to 0 for a picture whose size nobody knows. Never negative.
PictureRect ClampCropEdit(PictureRect crop, CropEdit edited, int sourceWidth, int sourceHeight);

// The argument of the crop-changed page event: input row in the high byte, layer in the low.
inline constexpr long CropEventArgument(uint32_t row, uint32_t layer) { return static_cast<long>(row << 8 | layer); }

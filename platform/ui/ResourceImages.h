#pragma once
// Decoded pictures from the embedded resources (PNG, bitmap or GIF by id).
#include <wx/bitmap.h>
#include <wx/image.h>

#include "platform/ui/Resources.h"

// The decoded picture, or an invalid image when the resource is missing or undecodable.
wxImage LoadImageResource(ResourceType type, int id);
// Makes sure the PNG, BMP and GIF decoders are registered (idempotent).
void EnsureImageHandlers();

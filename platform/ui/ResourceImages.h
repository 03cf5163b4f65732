#pragma once
// Decoded pictures from the embedded resources (PNG, bitmap or GIF by id).
#include <wx/bitmap.h>
#include <wx/iconbndl.h>
#include <wx/image.h>

#include "platform/ui/Resources.h"

// The decoded picture, or an invalid image when the resource is missing or undecodable.
wxImage LoadImageResource(ResourceType type, int id);
// A window icon in the sizes title bars and task lists ask for; empty when the resource is missing.
wxIconBundle LoadIconResource(int id);
// Makes sure the PNG, BMP and GIF decoders are registered (idempotent).
void EnsureImageHandlers();

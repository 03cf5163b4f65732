#pragma once
// Turning caption text and loaded pictures into caption bitmap files with wx: the text is drawn
// in white on black and every light pixel becomes a 1 bit.
#include <string>

#include <wx/font.h>
#include <wx/gdicmn.h>
#include <wx/image.h>
#include <wx/string.h>

// The caption font: Arial (its stand-in) with a 32-pixel cell, bold.
wxFont DefaultCaptionFont();
// The same face and attributes with another cell height in pixels.
wxFont CaptionFontWithHeight(const wxFont& font, int cellHeight);

// The text's extent in the font; an italic font is measured one overhang of "f" wider.
wxSize MeasureCaptionText(const wxString& text, const wxFont& font);

// Draws the text white on a black width x height picture, at x 0 or centred.
wxImage RenderCaptionText(const wxString& text, const wxFont& font, int width, int height, bool centred);

// Writes any picture as the caption file; false (old file kept) when it cannot be written or
// does not fit 3840 x 128.
bool SaveImageAsCaptionBmp(const wxImage& image, const std::string& path);

#include "pages/CaptionTextRender.h"

#include <wx/bitmap.h>
#include <wx/dcmemory.h>

#include "pages/CaptionBitmap.h"
#include "platform/ui/Fonts.h"

wxFont DefaultCaptionFont() { return FontFromLogFont(LogFont{32, 700, false, "Arial"}); }

wxFont CaptionFontWithHeight(const wxFont& font, int cellHeight) {
  LogFont f{cellHeight, font.GetWeight() >= wxFONTWEIGHT_BOLD ? 700 : 400, font.GetStyle() == wxFONTSTYLE_ITALIC,
            font.GetFaceName().ToStdString(wxConvUTF8)};
  wxFont made = FontFromLogFont(f);
  made.SetUnderlined(font.GetUnderlined());
  made.SetStrikethrough(font.GetStrikethrough());
  return made;
}

wxSize MeasureCaptionText(const wxString& text, const wxFont& font) {
  wxBitmap scratch(8, 8, 24);
  wxMemoryDC dc(scratch);
  dc.SetFont(font);
  wxSize extent = dc.GetTextExtent(text);
  if (font.GetStyle() == wxFONTSTYLE_ITALIC && !text.empty()) {
    // wx gives no ABC widths: half an "f" stands for the slanted glyph's overhang.
    extent.x += dc.GetTextExtent("f").x / 2;
  }
  return extent;
}

wxImage RenderCaptionText(const wxString& text, const wxFont& font, int width, int height, bool centred) {
  wxBitmap bitmap(std::max(width, 1), std::max(height, 1), 24);
  {
    wxMemoryDC dc(bitmap);
    dc.SetBackground(*wxBLACK_BRUSH);
    dc.Clear();
    dc.SetFont(font);
    dc.SetTextForeground(*wxWHITE);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    const int x = centred ? (width - dc.GetTextExtent(text).x) / 2 : 0;
    dc.DrawText(text, x, 0);
  }
  return bitmap.ConvertToImage();
}

bool SaveImageAsCaptionBmp(const wxImage& image, const std::string& path) {
  if (!image.IsOk()) return false;
  const uint32_t w = static_cast<uint32_t>(image.GetWidth()), h = static_cast<uint32_t>(image.GetHeight());
  if (!CaptionSizeFits(w, h)) return false;
  return SaveCaptionBmp(path, w, h, WhiteMaskFromRgb(image.GetData(), w, h));
}

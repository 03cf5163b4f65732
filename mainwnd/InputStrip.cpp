#include "mainwnd/InputStrip.h"

#include "app/DeviceState.h"
#include "controls/logic/KitPalette.h"
#include "mainwnd/InputNames.h"
#include "platform/ui/ResourceImages.h"
#include "platform/ui/WxColour.h"

#include <map>

#include <wx/bitmap.h>

namespace {
// Every line under the icons is in the accent; the lit icon marks the current source.
const wxColour Accent = ColourFromRef(KitPalette::Accent);

// The pictures are decoded once and scaled per size on demand.
const wxBitmap& Picture(int id, int width, int height) {
  static std::map<std::tuple<int, int, int>, wxBitmap> cache;
  auto key = std::make_tuple(id, width, height);
  auto it = cache.find(key);
  if (it != cache.end()) return it->second;
  wxBitmap bitmap;
  if (wxImage image = LoadImageResource(ResourceType::Png, id); image.IsOk()) {
    if (width > 0 && height > 0 && (image.GetWidth() != width || image.GetHeight() != height))
      image.Rescale(width, height, wxIMAGE_QUALITY_HIGH);
    bitmap = wxBitmap(image);
  }
  return cache.emplace(key, bitmap).first->second;
}

void DrawCentred(wxDC& dc, const wxString& text, const LayoutRect& icon, int top) {
  const wxSize extent = dc.GetTextExtent(text);
  dc.DrawText(text, icon.Left + (icon.Width() - extent.x) / 2, top);
}
}  // namespace

std::vector<std::string> DrawInputStrip(wxDC& dc, const std::array<LayoutRect, InputIconCount>& icons,
                                        const DeviceState& s) {
  std::vector<std::string> shown;
  const uint32_t layer = s.CurrentLayer < LayerCount ? s.CurrentLayer : 0;
  const int source = s.LayerWindow[layer].Source;
  dc.SetFont(wxFont(wxFontInfo(8).Bold().FaceName("Liberation Sans")));
  dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
  for (int i = 0; i < InputIconCount; ++i) {
    const InputEntry& input = s.InputTable[i];
    if (!input.Present) continue;
    const LayoutRect& r = icons[i];
    const bool current = source == i;
    const IconPair pair = InputIconImages(i, s);
    const wxBitmap& icon = Picture(current ? pair.Highlighted : pair.Normal, r.Width(), r.Height());
    if (icon.IsOk()) {
      dc.DrawBitmap(icon, r.Left, r.Top, true);
    } else {
      dc.SetPen(wxPen(current ? Accent : wxColour(0x60, 0x60, 0x60), 1));
      dc.SetBrush(wxBrush(wxColour(0x2E, 0x2E, 0x2E)));
      dc.DrawRoundedRectangle(r.Left, r.Top, r.Width(), r.Height(), 3);
    }
    const int slot = InputCardSlot(i);
    const bool signal = slot >= 0 && slot < CardSlotCount && s.InputSignalPresent[slot] != 0;
    const wxBitmap& marker = Picture(signal ? 155 : 157, 0, 0);
    int markerWidth = 0;
    if (marker.IsOk()) {
      dc.DrawBitmap(marker, r.Left, r.Bottom + 2, true);
      markerWidth = marker.GetWidth() + 2;
    }
    const std::string name = TrimmedName(input.Name);
    dc.SetTextForeground(Accent);
    // The name beside the marker, centred in what the marker leaves of the icon's width.
    DrawCentred(dc, wxString::FromUTF8(name), {r.Left + markerWidth, r.Top, r.Right, r.Bottom}, r.Bottom + 1);
    // The remark stands on the line the name editor opens over, even while it equals the name.
    const std::string remark = TrimmedName(input.Remark);
    DrawCentred(dc, wxString::FromUTF8(remark), r, r.Bottom + 16);
    std::string line = name;
    // The halves of a split input share their card's signal: the label is shown once.
    if (signal && i != 8 && i != 10) {
      const std::string res = InputResolutionText(s, i);
      DrawCentred(dc, wxString::FromUTF8(res), r, r.Bottom + 32);
      line += ' ' + res;
    }
    if (!remark.empty() && remark != name) line += " (" + remark + ")";
    shown.push_back(line);
  }
  return shown;
}

std::string CurrentSourceLine(const DeviceState& s) {
  if (s.CurrentLayer >= LayerCount) return "none";
  const uint8_t source = s.LayerWindow[s.CurrentLayer].Source;
  const std::string layer = s.CurrentLayer == 0 ? "MAIN" : "PIP-" + std::to_string(s.CurrentLayer);
  if (source >= InputIconCount) return layer + " none";
  return layer + " " + TrimmedName(s.InputTable[source].Name);
}

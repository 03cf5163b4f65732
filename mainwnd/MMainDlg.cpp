#include "mainwnd/MMainDlg.h"

#include "app/DeviceState.h"
#include "mainwnd/InputNames.h"
#include "mainwnd/ShownTextLog.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include <wx/dcbuffer.h>

namespace {
const char* const LayerNames[LayerCount] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
const wxColour LayerColours[LayerCount] = {wxColour(239, 156, 0), wxColour(80, 160, 255), wxColour(120, 200, 120),
                                           wxColour(220, 120, 220)};

std::string OutputText(const OutputTiming& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%ux%u %.2fHz", unsigned(t.HActive), unsigned(t.VActive), t.FrameRate / 100.0);
  return text;
}
}  // namespace

MMainDlg::MMainDlg(wxWindow* parent) : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxCLIP_SIBLINGS) {
  SetBackgroundStyle(wxBG_STYLE_PAINT);
  Bind(wxEVT_PAINT, &MMainDlg::OnPaint, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& e) { Refresh(); e.Skip(); });
}

void MMainDlg::OnPaint(wxPaintEvent&) {
  wxAutoBufferedPaintDC dc(this);
  const wxSize size = GetClientSize();
  dc.SetPen(*wxTRANSPARENT_PEN);
  dc.SetBrush(wxBrush(wxColour(24, 24, 24)));
  dc.DrawRectangle(0, 0, size.x, size.y);

  const DeviceState& state = GetDeviceState();
  const int outW = state.OutputTiming.HActive, outH = state.OutputTiming.VActive;
  std::vector<std::string> shown;
  const std::string output = "OUTPUT:DVI-1 " + OutputText(state.OutputTiming);
  shown.push_back(output);
  if (outW <= 0 || outH <= 0 || size.x < 60 || size.y < 60) {
    RecordShownTexts("output", shown);
    return;
  }
  // The output frame, fitted into the area with a margin.
  const double scale = std::min((size.x - 40.0) / outW, (size.y - 60.0) / outH);
  const int frameX = 20, frameY = 36;
  const wxRect frame(frameX, frameY, int(outW * scale), int(outH * scale));
  dc.SetBrush(wxBrush(wxColour(0, 0, 0)));
  dc.SetPen(wxPen(wxColour(0xEB, 0xEB, 0xEB), 2));
  dc.DrawRectangle(frame);
  dc.SetFont(wxFont(wxFontInfo(10).Bold().FaceName("Liberation Sans")));
  dc.SetTextForeground(wxColour(0xEB, 0xEB, 0xEB));
  dc.DrawText(wxString::FromUTF8(output), frameX, 12);

  dc.SetBrush(*wxTRANSPARENT_BRUSH);
  for (int layer = 0; layer < LayerCount; ++layer) {
    const LayerWindow& w = state.LayerWindow[layer];
    if (!w.Enable && layer != 0) continue;
    const wxRect r(frame.x + int(w.X * scale), frame.y + int(w.Y * scale), std::max(2, int(w.Width * scale)),
                   std::max(2, int(w.Height * scale)));
    dc.SetPen(wxPen(LayerColours[layer], 2));
    dc.DrawRectangle(r.Intersect(frame));
    std::string label = LayerNames[layer];
    if (w.Source < state.InputTable.size()) {
      label += ' ';
      label += TrimmedName(state.InputTable[w.Source].Name);
    }
    dc.SetTextForeground(LayerColours[layer]);
    dc.DrawText(wxString::FromUTF8(label), r.x + 4, r.y + 4);
    shown.push_back(label);
  }
  RecordShownTexts("output", shown);
}

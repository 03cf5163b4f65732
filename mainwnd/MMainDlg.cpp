#include "mainwnd/MMainDlg.h"

#include "app/DeviceCommand.h"
#include "app/DeviceState.h"
#include "app/Language.h"
#include "mainwnd/InputNames.h"
#include "mainwnd/MainControlsLogic.h"
#include "platform/ui/PageEvents.h"
#include "platform/ui/ShownTexts.h"
#include "mainwnd/canvas_geometry/WorkAreaLayout.h"
#include "platform/os/SdlNotifyHook.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/UserMessages.h"
#include "preview/PreviewSession.h"
#include "preview/channel/MailboxView.h"

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <string>
#include <vector>

#include <wx/menu.h>

namespace {

const char* const LayerNames[WorkAreaLayers] = {"MAIN", "PIP-1", "PIP-2", "PIP-3"};
const char* const ViewLabels[4] = {"PREVIEW-1", "PREVIEW-2", "PROGRAM-1", "PROGRAM-2"};

std::string OutputText(const OutputTiming& t) {
  char text[64];
  std::snprintf(text, sizeof text, "%ux%u %.2fHz", unsigned(t.HActive), unsigned(t.VActive), t.FrameRate / 100.0);
  return text;
}

int SwitcherMode(const DeviceState& s) {
  const int mode = s.SwitcherSettings.Mode;
  return mode == 1 || mode == 2 ? mode : 0;
}

LayerSide SideOf(const DeviceState& s, int layer) {
  return {s.SwitcherSettings.OnProgram[layer] != 0, s.SwitcherSettings.OnPreview[layer] != 0};
}

// The output size the frames and views take; a device that has not said yet counts as 1080p.
void OutputSize(const DeviceState& s, int& w, int& h) {
  w = s.OutputTiming.HActive;
  h = s.OutputTiming.VActive;
  if (w <= 0 || h <= 0) {
    w = OutputFrameWidth;
    h = OutputFrameHeight;
  }
}

CanvasRect SizedAt(int left, int top, int w, int h) {
  return {left, top, ClampToInt(int64_t{left} + w), ClampToInt(int64_t{top} + h)};
}

std::string InputName(const DeviceState& s, int layer) {
  const uint8_t source = s.LayerWindow[layer].Source;
  if (source >= s.InputTable.size()) return {};
  return TrimmedName(s.InputTable[source].Name);
}

// The working area the video library's notification reaches, and the hand-shake that keeps at
// most one re-placing request on its way.
std::atomic<MMainDlg*> NotifiedArea{nullptr};
std::atomic<bool> SdlArmed{true};

int SdlNotifyCallback() {
  if (!SdlArmed.exchange(false)) return 0;
  if (MMainDlg* area = NotifiedArea.load())
    PostMsg(area, MSdlNotify, 0, 0);
  else
    SdlArmed = true;
  return 0;
}

}  // namespace

MMainDlg::MMainDlg(wxWindow* parent)
    : wxPanel(parent, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxCLIP_CHILDREN | wxCLIP_SIBLINGS),
      RestackTimer(this, CellRestackTimer),
      TopTimer(this, TopButtonsTimer),
      Messages(this) {
  SetBackgroundColour(wxColour(0x10, 0x10, 0x10));
  Messages.On(MCellSelected, [this](WPARAM w, LPARAM) { return OnCellSelected(w); });
  Messages.On(MCellChanged, [this](WPARAM w, LPARAM l) { return OnCellChanged(w, l); });
  Messages.On(MCanvasCommand, [this](WPARAM, LPARAM) { return OnCanvasCommand(); });
  Messages.On(MRelayout, [this](WPARAM, LPARAM) { return OnRelayout(); });
  Messages.On(MSdlNotify, [this](WPARAM, LPARAM) {
    PlaceVideoViews();
    ++VideoViewPlacings;
    ScheduleRecord();
    SdlArmed = true;
    return LRESULT{0};
  });
  Messages.On(MPreviewStateChanged, [this](WPARAM, LPARAM) { return OnPreviewStateChanged(); });
  Bind(wxEVT_TIMER, &MMainDlg::OnTimer, this);
  Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
    SendMsg(this, MRelayout, 0, 0);
    e.Skip();
  });
  Bind(wxEVT_MOUSEWHEEL, &MMainDlg::OnMouseWheel, this);

  // The layer cells' video views need SDL's video part; without it they are drawn by the canvas.
  VideoStarted = CPictureCtrl::StartVideo();
  CreateCanvasCells();
  Session = std::make_unique<PreviewSession>(this);
  // The video views are re-placed whenever the program's window moves or changes size.
  NotifiedArea = this;
  SdlArmed = true;
  SDL_SetCallBackFunction(SdlNotifyCallback);
  WatchConfigureEvents(wxGetTopLevelParent(parent), RaiseSdlNotify);
}

MMainDlg::~MMainDlg() {
  MMainDlg* self = this;
  if (NotifiedArea.compare_exchange_strong(self, nullptr)) SDL_SetCallBackFunction(nullptr);
  RestackTimer.Stop();
  TopTimer.Stop();
  // The channels must hold no view of a cell that goes, and the canvas must not call back into
  // this half-destroyed window while it deletes its cells.
  if (PictureCtrl) PictureCtrl->SetViewRegistry(nullptr);
  DetachAllViews();
  Session.reset();
  delete PictureCtrl;
  PictureCtrl = nullptr;
  Layers.fill(nullptr);
  if (VideoStarted) CPictureCtrl::StopVideo();
}

// ---- building the canvas ----

void MMainDlg::CreateCanvasCells() {
  const DeviceState& s = GetDeviceState();
  PictureCtrl = new CPictureCtrl(this, CanvasId, wxPoint(0, 0), wxSize(10000, 10000));
  PictureCtrl->Model().Grid = true;
  ZoomValue = StartZoom;
  ApplyZoomScale();
  PictureCtrl->Bind(wxEVT_MOUSEWHEEL, &MMainDlg::OnMouseWheel, this);
  PictureCtrl->Bind(wxEVT_CONTEXT_MENU, &MMainDlg::OnContextMenu, this);
  PictureCtrl->Bind(wxEVT_PAINT, [this](wxPaintEvent& e) {
    ScheduleRecord();
    e.Skip();
  });

  // Frames first, so that the layers can be bound to frame 0.
  for (int i = 0; i < OutputFrameCount; ++i) {
    char label[32];
    std::snprintf(label, sizeof label, "OUTPUT:DVI-%d", i + 1);
    CCell* frame = PictureCtrl->AddFrameCell(FirstFrameOrigin.x, FirstFrameOrigin.y, label, 255);
    frame->Passive = frame->OutlineOnly = true;
    frame->SetHidden(i != 0);
    Frames[static_cast<size_t>(i)] = frame;
  }
  for (int i = 0; i < 4; ++i) {
    CCell* view = PictureCtrl->AddFrameCell(FirstFrameOrigin.x, FirstFrameOrigin.y, ViewLabels[i], 255);
    view->Passive = view->OutlineOnly = true;
    view->SetHidden(true);
    Views[static_cast<size_t>(i)] = view;
  }
  AddLayerCells();
  for (int layer = 0; layer < WorkAreaLayers; ++layer)
    PictureCtrl->ShowCell(LayerCell(layer), layer == static_cast<int>(s.CurrentLayer % WorkAreaLayers));
  SwitcherModeCache = 0;
}

void MMainDlg::AddLayerCells() {
  const DeviceState& s = GetDeviceState();
  const CanvasRect frame0 = Frames[0]->OutputRect;
  for (int layer = 0; layer < WorkAreaLayers; ++layer) {
    const LayerWindowExtraRecord& d = s.LayerWindowExtra[static_cast<size_t>(layer)];
    // The canvas binds a cell placed at the device's window position to its frame, which moves
    // it by the frame's origin.
    CCell* cell = PictureCtrl->AddLayerCell(d.DefaultX, d.DefaultY, std::max<int>(d.DefaultWidth, 1),
                                            std::max<int>(d.DefaultHeight, 1), LayerLabel(layer),
                                            static_cast<uint32_t>(layer));
    if (!cell) continue;
    cell->IsFrame = LayersAsFrames;
    Layers[static_cast<size_t>(layer)] = cell;
    PictureCtrl->SetCellLimitRect(cell, frame0);
    PictureCtrl->SetCellRect(cell->OutputRect, cell);
  }
}

void MMainDlg::RemoveLayerCells() {
  // The canvas removes every cell that is not a frame: a layer cell standing in as a frame for a
  // test pattern goes too.
  for (CCell* cell : Layers)
    if (cell) cell->IsFrame = false;
  PictureCtrl->RemoveAllCells();
  Layers.fill(nullptr);
}

CCell* MMainDlg::LayerCell(int layer) const {
  if (!PictureCtrl || layer < 0 || layer >= WorkAreaLayers) return nullptr;
  return Layers[static_cast<size_t>(layer)];
}

CCell* MMainDlg::FrameCell(int frame) const {
  return frame >= 0 && frame < OutputFrameCount ? Frames[static_cast<size_t>(frame)] : nullptr;
}

CCell* MMainDlg::SwitcherViewCell(int view) const {
  return view >= 0 && view < 4 ? Views[static_cast<size_t>(view)] : nullptr;
}

bool MMainDlg::LogoOnPip3() const { return GetDeviceState().LogoSettings.Pip3Usage == 1; }

std::string MMainDlg::LayerLabel(int layer) const {
  const DeviceState& s = GetDeviceState();
  if (layer == 3 && LogoOnPip3()) return "LOGO";
  bool labelled = true;
  const std::string prefix = LayerLabelPrefix(layer, SwitcherMode(s), SideOf(s, layer), &labelled);
  return labelled ? prefix + InputName(s, layer) : std::string();
}

void MMainDlg::ApplyZoomScale() {
  if (PictureCtrl) PictureCtrl->SetScale(ZoomValue, ZoomValue);
}

void MMainDlg::SizeFramesToOutput() {
  const DeviceState& s = GetDeviceState();
  int w = 0, h = 0;
  OutputSize(s, w, h);
  PictureCtrl->SetCellRect(SizedAt(FirstFrameOrigin.x, FirstFrameOrigin.y, w, h), Frames[0]);
  for (int i = 1; i < OutputFrameCount; ++i) {
    const CanvasRect& r = Frames[static_cast<size_t>(i)]->OutputRect;
    PictureCtrl->SetCellRect(SizedAt(r.left, r.top, w, h), Frames[static_cast<size_t>(i)]);
  }
  for (CCell* view : Views) PictureCtrl->SetCellRect(SizedAt(view->OutputRect.left, view->OutputRect.top, w, h), view);
}

// ---- what the router and the main dialog call ----

void MMainDlg::CheckPreviewState() {
  if ((GetDeviceState().PreviewEnabled != 0) != PreviewFlag) SendMsg(this, MPreviewStateChanged, GetDeviceState().PreviewEnabled, 0);
}

void MMainDlg::Relayout() { SendMsg(this, MRelayout, 0, 0); }

void MMainDlg::RelayoutByWorkMode() {
  if (!PictureCtrl) return;
  const DeviceState& s = GetDeviceState();
  const int switcher = SwitcherMode(s);
  const uint32_t mosaic = s.MosaicSettings.Mode;
  // The frames keep their places (the arrangement event or the operator's drag put them there);
  // the mode only decides which of them are shown.
  const int shown = switcher == 0 ? FramesShownByMosaic(mosaic) : 0;
  for (int i = 0; i < OutputFrameCount; ++i) PictureCtrl->ShowCell(Frames[static_cast<size_t>(i)], i < shown);
  // In the switcher modes the layers belong to the switcher views, not to the output frames.
  // Each layer takes its limit from its frame as drawn now (at this zoom, in this arrangement); a
  // layer the arrangement binds to no frame is limited by none, never by a frame of an old one.
  if (switcher == 0) {
    for (int layer = 0; layer < WorkAreaLayers; ++layer) {
      const int f = FrameOfLayer(mosaic, layer, s.MosaicCell, switcher);
      if (f >= 0) PictureCtrl->SetCellLimitRect(LayerCell(layer), Frames[static_cast<size_t>(f)]->OutputRect);
      else PictureCtrl->ClearCellLimitRect(LayerCell(layer));
    }
  }
  PictureCtrl->ReplaceAllCells();
  // The layers take the device's windows inside their frames (and their labels); whether they
  // show stays as the layer switches and Lock Output left it.
  for (int layer = 0; layer < WorkAreaLayers; ++layer) UpdateLayerRect(layer);
  // The views' native windows stack in creation and show order; put PIPs above MAIN again.
  PictureCtrl->RestackCells();
  PictureCtrl->Refresh();
  ScheduleRecord();
}

void MMainDlg::ArrangeOutputFrames(uint32_t arrangement) {
  if (!PictureCtrl) return;
  const DeviceState& s = GetDeviceState();
  int w = 0, h = 0;
  OutputSize(s, w, h);
  std::array<CanvasRect, OutputFrameCount> rects{};
  for (int i = 0; i < OutputFrameCount; ++i) rects[static_cast<size_t>(i)] = Frames[static_cast<size_t>(i)]->OutputRect;
  int placed = 0;
  rects = ::ArrangeOutputFrames(arrangement, rects, w, h, &placed);
  for (int i = 1; i <= placed; ++i) PictureCtrl->SetCellRect(rects[static_cast<size_t>(i)], Frames[static_cast<size_t>(i)]);
  // The layers bound to a frame that moved go with it.
  if (SwitcherMode(s) == 0) {
    for (int layer = 0; layer < WorkAreaLayers; ++layer) {
      const int f = FrameOfLayer(s.MosaicSettings.Mode, layer, s.MosaicCell, 0);
      if (f > 0) PictureCtrl->SetCellLimitRect(LayerCell(layer), Frames[static_cast<size_t>(f)]->OutputRect);
    }
  }
  PictureCtrl->ReplaceAllCells();
  ScheduleRecord();
}

void MMainDlg::UpdateLayerLabel(int layer) {
  CCell* cell = LayerCell(layer);
  if (!cell) return;
  const DeviceState& s = GetDeviceState();
  // PIP-3 keeps its LOGO label while it shows a logo.
  if (!(layer == 3 && LogoOnPip3())) cell->Label = LayerLabel(layer);
  cell->SourceId = s.LayerWindow[layer].Source;
  PictureCtrl->Refresh();
  ScheduleRecord();
}

void MMainDlg::UpdateLayerRect(int layer) {
  CCell* cell = LayerCell(layer);
  if (!cell) return;
  const DeviceState& s = GetDeviceState();
  if (layer == 3 && s.LogoSettings.Pip3Usage > 1) {
    UpdateLayerSourceRects(layer);
    return;
  }
  CanvasRect out;
  if (layer == 3 && LogoOnPip3()) {
    const size_t slot = s.LogoShownSlot < 4 ? s.LogoShownSlot : 0;
    const LogoSettings& logo = s.LogoSettings;
    out = SizedAt(logo.HPos[slot], logo.VPos[slot], logo.Width[slot], logo.Height[slot]);
    out = out.Offset(cell->Origin.x, cell->Origin.y);
  } else {
    CanvasPoint origin = cell->Origin;
    const int view = SwitcherViewOfLayer(SwitcherMode(s), layer, SideOf(s, layer));
    if (view >= 0) origin = {Views[static_cast<size_t>(view)]->OutputRect.left, Views[static_cast<size_t>(view)]->OutputRect.top};
    const ::LayerWindow& w = s.LayerWindow[layer];
    out = SizedAt(ClampToInt(int64_t{origin.x} + w.X), ClampToInt(int64_t{origin.y} + w.Y), std::max(0, w.Width),
                  std::max(0, w.Height));
  }
  // Only the place: whether the cell shows is decided by the layer switches and Lock Output.
  PictureCtrl->SetCellRect(out, cell);
  UpdateLayerLabel(layer);
  UpdateLayerSourceRects(layer);
}

void MMainDlg::UpdateLayerSourceRects(int layer) {
  CCell* cell = LayerCell(layer);
  if (!cell) return;
  const DeviceState& s = GetDeviceState();
  const int quadrant = LayerQuadrant(layer, SwitcherMode(s), SideOf(s, layer), s.MosaicSettings.Arrangement,
                                     s.MosaicSettings.Mode);
  if (quadrant < 0) return;
  const bool logo = layer == 3 && LogoOnPip3();
  int x = 0, y = 0, w = 0, h = 0;
  if (logo) {
    const size_t slot = s.LogoShownSlot < 4 ? s.LogoShownSlot : 0;
    const LogoSettings& l = s.LogoSettings;
    x = l.HPos[slot], y = l.VPos[slot], w = l.Width[slot], h = l.Height[slot];
  } else {
    const ::LayerWindow& lw = s.LayerWindow[layer];
    x = lw.X, y = lw.Y, w = lw.Width, h = lw.Height;
  }
  const int hActive = s.OutputTiming.HActive, vActive = s.OutputTiming.VActive;
  // The quadrants are those of the pictures as they arrive, whatever size the preview was set to.
  cell->SourceOf = [=](int pictureWidth, int pictureHeight) {
    return CellSourceRect(quadrant, pictureWidth, pictureHeight, x, y, w, h, hActive, vActive, logo);
  };
  const PixelArea area = cell->SourceOf(cell->PictureWidth() > 0 ? cell->PictureWidth() : Session ? Session->PreviewWidth() : 352,
                                        cell->PictureHeight() > 0 ? cell->PictureHeight() : Session ? Session->PreviewHeight() : 240);
  if (area.width > 0 && area.height > 0) cell->SourceRect = area;
}

void MMainDlg::UpdateLogoLayer(uint32_t usage) {
  CCell* cell = LayerCell(3);
  if (usage != 1 || !cell) return;
  const DeviceState& s = GetDeviceState();
  const int mode = SwitcherMode(s);
  if (s.LogoSettings.Pip3Usage == 0 && mode != 2) {
    cell->Label = LayerLabel(3);
    cell->OutlineOnly = false;
    cell->Passive = mode != 0 && s.SwitcherSettings.OnProgram[3] != 0;
    ShowLayerByState(3);
  } else if (s.LogoSettings.Pip3Usage == 1) {
    cell->Label = "LOGO";
    cell->Passive = true;
    ShowLayerByState(3);
  }
  UpdateLayerRect(3);
  PictureCtrl->Refresh();
}

void MMainDlg::RebuildCanvas() {
  if (!PictureCtrl) return;
  SizeFramesToOutput();
  OnRelayout();
}

void MMainDlg::ShowLayerByState(int layer) {
  if (CCell* cell = LayerCell(layer)) PictureCtrl->ShowCell(cell, LayerCellShown(GetDeviceState(), layer, FramesLockedFlag));
  ScheduleRecord();
}

void MMainDlg::EnableLayerCells(bool on, bool apply) {
  if (!PictureCtrl) return;
  // Unlocked, the output frames are solid and can be dragged; the layers step aside.
  FramesLockedFlag = on;
  for (CCell* frame : Frames) frame->Passive = frame->OutlineOnly = on;
  if (apply)
    for (int layer = 0; layer < WorkAreaLayers; ++layer) ShowLayerByState(layer);
  PictureCtrl->Refresh();
  Refresh();
  ScheduleRecord();
}

void MMainDlg::SetLayerCellsFrameFlag(bool on) {
  LayersAsFrames = on;
  for (CCell* cell : Layers)
    if (cell) cell->IsFrame = on;
  if (PictureCtrl) PictureCtrl->Refresh();
}

void MMainDlg::BringLayerToTop(int layer) {
  CCell* cell = LayerCell(layer);
  if (!cell) return;
  PictureCtrl->SelectCell(cell);
  SendMsg(this, MCellSelected, static_cast<WPARAM>(layer), 0);
  PictureCtrl->Refresh();
  RestackTimer.StartOnce(5000);
}

// ---- messages ----

LRESULT MMainDlg::OnRelayout() {
  if (!PictureCtrl) return 0;
  DeviceState& s = GetDeviceState();
  const int mode = SwitcherMode(s);
  PictureCtrl->ShowCaptions = mode != 0;
  int w = 0, h = 0;
  OutputSize(s, w, h);
  // The frames and views follow the device's output size.
  if (Frames[0]->OutputRect.Width() != w || Frames[0]->OutputRect.Height() != h) SizeFramesToOutput();
  if (mode == 0) {
    ApplyZoomScale();
    for (int layer = 0; layer < WorkAreaLayers; ++layer) {
      CCell* cell = LayerCell(layer);
      if (!cell) continue;
      if (mode != SwitcherModeCache) cell->Passive = false;
      if (layer == 3 && LogoOnPip3()) cell->Passive = true;
    }
    for (CCell* view : Views) PictureCtrl->ShowCell(view, false);
    SwitcherModeCache = mode;
    RelayoutByWorkMode();
  } else {
    const wxSize client = GetClientSize();
    std::array<CanvasRect, 4> current{};
    for (int i = 0; i < 4; ++i) current[static_cast<size_t>(i)] = Views[static_cast<size_t>(i)]->OutputRect;
    SwitcherViewPlacement placed;
    if (LayoutSwitcherViews(mode, client.x, client.y, 0, 0, w, h, current, placed)) {
      PictureCtrl->SetScale(placed.Scale.x, placed.Scale.y);
      for (int i = 0; i < 4; ++i) PictureCtrl->SetCellRect(placed.Views[static_cast<size_t>(i)], Views[static_cast<size_t>(i)]);
    }
    for (int layer = 0; layer < WorkAreaLayers; ++layer) {
      CCell* cell = LayerCell(layer);
      if (!cell) continue;
      const LayerSide side = SideOf(s, layer);
      const int view = SwitcherViewOfLayer(mode, layer, side);
      PictureCtrl->SetCellLimitRect(cell, Views[static_cast<size_t>(view)]->OutputRect);
      cell->Passive = side.OnProgram || (layer == 3 && LogoOnPip3());
    }
    PictureCtrl->ShowCell(Views[ViewPvw1], true);
    PictureCtrl->ShowCell(Views[ViewPgm1], true);
    PictureCtrl->ShowCell(Views[ViewPvw2], mode == 2);
    PictureCtrl->ShowCell(Views[ViewPgm2], mode == 2);
    for (CCell* frame : Frames) PictureCtrl->ShowCell(frame, false);
    SwitcherModeCache = mode;
    PictureCtrl->ReplaceAllCells();
    for (int layer = 0; layer < WorkAreaLayers; ++layer) UpdateLayerRect(layer);
    PictureCtrl->RestackCells();
  }
  PictureCtrl->Refresh();
  ScheduleRecord();
  return 0;
}

LRESULT MMainDlg::OnCellSelected(WPARAM order) {
  // Frames and switcher views carry no layer number.
  if (order >= static_cast<WPARAM>(WorkAreaLayers)) return 0;
  const int layer = static_cast<int>(order);
  DeviceState& s = GetDeviceState();
  CurrentLayerIndex = layer;
  s.CurrentLayer = static_cast<uint8_t>(layer);
  PictureCtrl->BringCellToTop(LayerCell(layer));
  PostMsg(GetParent(), MSelectLayer, static_cast<WPARAM>(layer), 0);
  PostMsg(GetParent(), MLayerWindowChanged, LayerRectToPages, layer);
  RestackTimer.StartOnce(5000);
  if (s.LogoFramePending) {
    s.SendCommand(CmdLogo, uint8_t{3});
    s.LogoFramePending = 0;
  }
  return 0;
}

LRESULT MMainDlg::OnCellChanged(WPARAM order, LPARAM isFrame) {
  if (isFrame) {
    RelayoutByWorkMode();
    return 0;
  }
  CCell* cell = order < static_cast<WPARAM>(WorkAreaLayers) ? LayerCell(static_cast<int>(order)) : nullptr;
  if (!cell) return 0;
  const int layer = static_cast<int>(order);
  DeviceState& s = GetDeviceState();
  const CellLayerWindow w = LayerWindowOfCell(*cell);
  ::LayerWindow& target = s.LayerWindow[layer];
  target.X = w.X;
  target.Y = w.Y;
  target.Width = w.Width;
  target.Height = w.Height;
  s.SendCommand(CmdLayerWindow, static_cast<uint8_t>(layer));
  PostMsg(GetParent(), MLayerWindowChanged, LayerRectToPages, layer);
  UpdateLayerSourceRects(layer);
  RestackTimer.StartOnce(5000);
  ScheduleRecord();
  return 0;
}

LRESULT MMainDlg::OnCanvasCommand() {
  PostMsg(GetParent(), MPageEvent, ShowTopButtons, 1);
  TopTimer.StartOnce(5000);
  return 0;
}

void MMainDlg::OnTimer(wxTimerEvent& event) {
  if (event.GetId() == CellRestackTimer) {
    RestackTimer.Stop();
    PictureCtrl->SortCellsByPriority();
    PictureCtrl->RestackCells();
    PictureCtrl->Refresh();
  } else if (event.GetId() == TopButtonsTimer) {
    TopTimer.Stop();
    PostMsg(GetParent(), MPageEvent, ShowTopButtons, 0);
  }
}

void MMainDlg::OnMouseWheel(wxMouseEvent& event) {
  const int mode = SwitcherMode(GetDeviceState());
  const unsigned keys = (event.LeftIsDown() ? WheelLeftButton : 0u) | (event.RightIsDown() ? WheelRightButton : 0u) |
                        (event.ShiftDown() ? WheelShift : 0u) | (event.ControlDown() ? WheelControl : 0u) |
                        (event.MiddleIsDown() ? WheelMiddleButton : 0u) | (event.Aux1IsDown() ? WheelExtraButton1 : 0u) |
                        (event.Aux2IsDown() ? WheelExtraButton2 : 0u);
  if (!ZoomWheelApplies(mode, keys)) {
    event.Skip();
    return;
  }
  ZoomValue = NextZoom(ZoomValue, event.GetWheelRotation());
  ApplyZoomScale();
  RelayoutByWorkMode();
}

void MMainDlg::OnContextMenu(wxContextMenuEvent&) {
  wxMenu menu;
  std::string text = GetLanguageString("IDS_TOPMEN_TOPSET");
  if (text.empty()) text = "Top Set";
  menu.Append(CanvasMenuItemId, wxString::FromUTF8(text));
  RecordShownTexts("menu", {text});
  PictureCtrl->PopupMenu(&menu);
  RecordShownTexts("menu", {"none"});
}

// ---- preview ----

LRESULT MMainDlg::OnPreviewStateChanged() {
  const DeviceState& s = GetDeviceState();
  const bool on = s.PreviewEnabled != 0;
  // The views leave the channels before these are made again or freed.
  PictureCtrl->SetViewRegistry(nullptr);
  DetachAllViews();
  Session->SetPreviewOn(on);
  PreviewFlag = on;
  PictureCtrl->SetPreviewSize(Session->PreviewWidth(), Session->PreviewHeight());
  RemoveLayerCells();
  if (on) PictureCtrl->SetViewRegistry(this);
  AddLayerCells();
  for (int layer = 0; layer < WorkAreaLayers; ++layer) {
    CCell* cell = LayerCell(layer);
    if (!cell) continue;
    PictureCtrl->AttachCellToChannel(0, cell);
    ShowLayerByState(layer);
    UpdateLayerSourceRects(layer);
    UpdateLayerLabel(layer);
  }
  SendMsg(this, MRelayout, 0, 0);
  return 0;
}

void MMainDlg::SetPreviewResolution(int code) {
  if (code < 0 || code > 255 || !Session) return;
  if (!Session->SetPreviewResolution(static_cast<uint8_t>(code))) {
    // The size still counts for the next preview start.
    PictureCtrl->SetPreviewSize(Session->PreviewWidth(), Session->PreviewHeight());
    return;
  }
  PlaceVideoViews();
}

void MMainDlg::PlaceVideoViews() {
  if (!Session || !PictureCtrl) return;
  const int pw = Session->PreviewWidth(), ph = Session->PreviewHeight();
  PictureCtrl->SetPreviewSize(pw, ph);
  PreviewFlag = Session->Channels() != nullptr;
  DetachAllViews();
  for (int layer = 0; layer < WorkAreaLayers; ++layer) {
    CCell* cell = LayerCell(layer);
    if (!cell || !cell->ViewWindow()) continue;
    cell->DestroyVideoView();
    cell->CreateVideoView(pw, ph);
    cell->PlaceView();
    if (PreviewFlag) PictureCtrl->AttachCellToChannel(0, cell);
    // The window moved or the preview changed size: which layers show (the layer switches,
    // Lock Output) stays as it was.
    cell->ShowView(!cell->IsHidden());
    UpdateLayerSourceRects(layer);
  }
}

void MMainDlg::MachineAtWorkChanged(bool atWork) {
  MachineAtWork = atWork;
  if (Session) Session->RestartDecoding();
  // Pictures handed over but not drawn yet are the machine's before.
  OwnedPicture dropped;
  for (auto& [layer, entry] : Registered) entry.Mailbox->TakeLatest(dropped);
  for (int layer = 0; layer < WorkAreaLayers; ++layer)
    if (CCell* cell = LayerCell(layer)) cell->ClearPicture();
}

void MMainDlg::PushPreviewPacket(uint32_t channel, const uint8_t* data, uint32_t length) {
  if (Session && MachineAtWork) Session->PushPacket(channel, data, length);
}

void MMainDlg::ShowPreviewWindow(bool show) {
  if (!Session) return;
  Session->ShowWindow(show);
  wxWindow* host = Session->Window() ? Session->Window()->PopupHost() : nullptr;
  if (host) RecordShownTexts("video window", {host->IsShown() ? "shown" : "hidden"});
}

void MMainDlg::ApplyPreviewLanguage() {
  if (Session && Session->Window()) Session->Window()->ApplyLanguage();
}

void MMainDlg::AttachView(uint32_t channel, CCell* cell) {
  if (!cell || !Session || !Session->Channels()) return;
  H264Channel* target = Session->Channels()->Channel(channel);
  if (!target) return;
  const uint32_t layer = cell->Order;
  DetachView(cell);
  RegisteredView entry;
  // The display thread only queues a call; the picture is drawn on the UI thread.
  entry.Mailbox = std::make_unique<MailboxView>([this, layer] { CallAfter([this, layer] { DeliverPicture(layer); }); });
  entry.Channel = channel;
  if (!target->AddView(entry.Mailbox.get(), ChannelViewKind::Cell)) return;
  Registered[layer] = std::move(entry);
}

void MMainDlg::DetachView(CCell* cell) {
  if (!cell) return;
  auto it = Registered.find(cell->Order);
  if (it == Registered.end()) return;
  if (Session && Session->Channels())
    if (H264Channel* channel = Session->Channels()->Channel(it->second.Channel)) channel->RemoveView(it->second.Mailbox.get());
  Registered.erase(it);
}

bool MMainDlg::LayerViewRegistered(int layer) const {
  const auto it = Registered.find(static_cast<uint32_t>(layer));
  if (it == Registered.end() || !Session || !Session->Channels()) return false;
  const H264Channel* channel = Session->Channels()->Channel(it->second.Channel);
  return channel && channel->HasView(it->second.Mailbox.get());
}

void MMainDlg::DetachAllViews() {
  for (auto& [layer, entry] : Registered) {
    if (Session && Session->Channels())
      if (H264Channel* channel = Session->Channels()->Channel(entry.Channel)) channel->RemoveView(entry.Mailbox.get());
  }
  Registered.clear();
}

void MMainDlg::DeliverPicture(uint32_t layer) {
  auto it = Registered.find(layer);
  if (it == Registered.end()) return;
  OwnedPicture picture;
  if (!it->second.Mailbox->TakeLatest(picture)) return;
  CCell* cell = LayerCell(static_cast<int>(layer));
  if (!cell) return;
  const H264Picture view = picture.View();
  cell->OnYuvFrame(view.Width, view.Height, view.Planes, view.Strides);
}

// ---- what window tests read ----

void MMainDlg::ScheduleRecord() {
  if (RecordPending) return;
  RecordPending = true;
  CallAfter([this] {
    RecordPending = false;
    RecordShown();
  });
}

void MMainDlg::RecordShown() {
  if (!PictureCtrl) return;
  const DeviceState& s = GetDeviceState();
  std::vector<std::string> output{"OUTPUT:DVI-1 " + OutputText(s.OutputTiming)};
  std::vector<std::string> canvas;
  char line[160];
  for (int layer = 0; layer < WorkAreaLayers; ++layer) {
    const CCell* cell = LayerCell(layer);
    if (!cell) continue;
    if (!cell->IsHidden()) output.push_back(std::string(LayerNames[layer]) + ' ' + InputName(s, layer));
    const CellLayerWindow w = LayerWindowOfCell(*cell);
    std::snprintf(line, sizeof line, "layer %d [%s] %d,%d %dx%d %s", layer, cell->Label.c_str(), w.X, w.Y, w.Width,
                  w.Height, cell->IsHidden() ? "hidden" : "shown");
    canvas.push_back(line);
  }
  for (int i = 0; i < OutputFrameCount; ++i) {
    const CCell* f = Frames[static_cast<size_t>(i)];
    std::snprintf(line, sizeof line, "frame %d [%s] %d,%d %dx%d %s", i, f->Label.c_str(), f->OutputRect.left,
                  f->OutputRect.top, f->OutputRect.Width(), f->OutputRect.Height(), f->IsHidden() ? "hidden" : "shown");
    canvas.push_back(line);
  }
  for (int i = 0; i < 4; ++i) {
    const CCell* v = Views[static_cast<size_t>(i)];
    if (v->IsHidden()) continue;
    std::snprintf(line, sizeof line, "view %d [%s] %d,%d %dx%d shown", i, v->Label.c_str(), v->OutputRect.left,
                  v->OutputRect.top, v->OutputRect.Width(), v->OutputRect.Height());
    canvas.push_back(line);
  }
  // Where each layer cell is drawn (canvas pixels) and the order they are drawn in, last on top.
  std::string stack = "stack";
  for (const CellModel* c : PictureCtrl->Model().CellList()) {
    if (c->Order >= static_cast<uint32_t>(WorkAreaLayers)) continue;
    std::snprintf(line, sizeof line, "drawn %u %d,%d %dx%d", unsigned(c->Order), c->Rect.left, c->Rect.top,
                  c->Rect.Width(), c->Rect.Height());
    canvas.push_back(line);
    if (!c->IsHidden()) stack += ' ' + std::to_string(c->Order);
  }
  canvas.push_back(stack);
  std::snprintf(line, sizeof line, "zoom %.1f preview %s", ZoomValue, PreviewFlag ? "on" : "off");
  canvas.push_back(line);
  canvas.push_back(std::string("frames ") + (Frames[0]->Passive ? "locked" : "movable"));
  RecordShownTexts("views", {"placed " + std::to_string(VideoViewPlacings)});
  RecordShownTexts("output", output);
  RecordShownTexts("canvas", canvas);
}

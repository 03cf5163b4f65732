#include "mainwnd/CPictureCtrl.h"

#include <algorithm>

#include <wx/dcbuffer.h>
#include <wx/scrolwin.h>
#include <wx/settings.h>

#include <SDL.h>

#include "platform/ui/Fonts.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"
#include "platform/ui/WxColour.h"
#include "preview/video/SdlVideoStart.h"

namespace {

constexpr COLORREF FrameFill = 0xEB4D00;     // RGB(0, 77, 235)
constexpr COLORREF LabelGreen = 0x008000;
constexpr COLORREF SplitYellow = 0x00FFFF;
constexpr COLORREF OverlapBlue = 0xC08000;   // RGB(0, 128, 192)
constexpr COLORREF GuideYellow = 0x00FFFF;
constexpr COLORREF GridWhite = 0xFFFFFF;
constexpr COLORREF CaptionStrip = 0x404040;
constexpr COLORREF PreviewGreen = 0x00FF00;
constexpr COLORREF ProgramRed = 0x0000FF;

wxRect ToWx(const CanvasRect& r) { return wxRect(r.left, r.top, r.Width(), r.Height()); }

CCell* AsCell(CellModel* cell) { return static_cast<CCell*>(cell); }

wxCursor CursorFor(HandleCursor c) {
    switch (c) {
    case HandleCursor::SizeWE: return wxCursor(wxCURSOR_SIZEWE);
    case HandleCursor::SizeNS: return wxCursor(wxCURSOR_SIZENS);
    case HandleCursor::SizeNWSE: return wxCursor(wxCURSOR_SIZENWSE);
    case HandleCursor::SizeNESW: return wxCursor(wxCURSOR_SIZENESW);
    case HandleCursor::Hand: return wxCursor(wxCURSOR_HAND);
    default: return wxCursor(wxCURSOR_ARROW);
    }
}

} // namespace

CPictureCtrl::CPictureCtrl(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : NormalBrush(*wxBLACK), FrameBrush(ColourFromRef(FrameFill)), SelectedBrush(*wxBLACK),
      CellFont(FontFromLogFont(LogFont{16, 700, false, "Arial"})) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Create(parent, id, pos, size, wxBORDER_NONE | wxWANTS_CHARS, "PicCtrl");
    const wxSize client = GetClientSize();
    Canvas.Client = {0, 0, client.x, client.y};
    Bind(wxEVT_PAINT, &CPictureCtrl::OnPaint, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        const wxSize s = GetClientSize();
        Canvas.Client = {0, 0, s.x, s.y};
        e.Skip();
    });
    for (const auto& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_MOTION}) {
        Bind(type, &CPictureCtrl::HandleMouse, this);
    }
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CPictureCtrl::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CPictureCtrl::OnKeyDown, this);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { PostMsg(GetParent(), MCanvasCommand, 0, 0); }, CanvasMenuItemId);
}

CPictureCtrl::~CPictureCtrl() {
    if (HasCapture()) ReleaseMouse();
    RemoveAllCells();
    Canvas.Cells.clear();
}

bool CPictureCtrl::StartVideo() { return StartSdlVideo(); }

void CPictureCtrl::StopVideo() { SDL_QuitSubSystem(SDL_INIT_VIDEO); }

CellPaintTools CPictureCtrl::Tools() const { return {&CellFont, &NormalBrush, &FrameBrush, &SelectedBrush}; }

// ---- cells ----

CCell* CPictureCtrl::AddLayerCell(int x, int y, int width, int height, const std::string& label, uint32_t layer) {
    if (FindCellByKey(layer)) return nullptr;
    auto cell = std::make_unique<CCell>();
    cell->Order = layer;
    cell->Label = label;
    cell->Tools = Tools();
    Canvas.PlaceNewCell(*cell, x, y, width, height);
    CCell* c = cell.get();
    c->CreateViewWindow(this, [this](wxMouseEvent& e) { HandleMouse(e); });
    c->OpenLabelFont();
    if (!c->CreateVideoView(PreviewW, PreviewH)) c->DropViewWindow();
    Canvas.InsertCell(std::move(cell));
    PlaceCellView(c);
    Refresh();
    return c;
}

CCell* CPictureCtrl::AddFrameCell(int x, int y, const std::string& label, uint32_t key) {
    auto cell = std::make_unique<CCell>();
    cell->IsFrame = true;
    cell->Order = key;
    cell->Label = label;
    cell->Tools = Tools();
    Canvas.PlaceNewCell(*cell, x, y, OutputFrameWidth, OutputFrameHeight);
    CCell* c = cell.get();
    Canvas.InsertCell(std::move(cell));
    Refresh();
    return c;
}

void CPictureCtrl::PlaceCellView(CCell* cell) {
    // By its view rather than its frame flag: a layer cell standing in as a frame during a test
    // pattern keeps its view where the cell is.
    if (!cell || !cell->ViewWindow()) return;
    cell->PlaceView();
}

void CPictureCtrl::SetCellRect(const CanvasRect& output, CCell* cell) {
    if (!cell) return;
    Canvas.SetCellRect(output, *cell);
    PlaceCellView(cell);
    Refresh();
}

void CPictureCtrl::SetCellLimitRect(CCell* cell, const CanvasRect& frameOutput) {
    if (cell) Canvas.SetCellLimitRect(*cell, frameOutput);
}

void CPictureCtrl::ClearCellLimitRect(CCell* cell) {
    if (cell) Canvas.ClearCellLimitRect(*cell);
}

void CPictureCtrl::ShowCell(CCell* cell, bool show) {
    if (!cell) return;
    cell->SetHidden(!show);
    cell->ShowView(show);
    Refresh();
}

CCell* CPictureCtrl::FindCellByKey(uint32_t key) const { return AsCell(Canvas.FindCellByKey(key)); }

CCell* CPictureCtrl::CellFromPoint(CanvasPoint p) const { return AsCell(Canvas.CellFromPoint(p)); }

void CPictureCtrl::SelectCell(CCell* cell) {
    for (const CanvasRect& r : Canvas.SelectCell(cell)) RefreshRect(ToWx(r));
}

void CPictureCtrl::DeleteAllCells() {
    std::erase_if(Canvas.Cells, [&](const auto& c) {
        if (!c->IsFrame) return false;
        if (Canvas.SelectedCell == c.get()) Canvas.SelectedCell = nullptr;
        return true;
    });
    Refresh();
}

void CPictureCtrl::RemoveAllCells() {
    std::erase_if(Canvas.Cells, [&](const auto& c) {
        if (c->IsFrame) return false;
        if (Registry) Registry->DetachView(AsCell(c.get()));
        return true;
    });
    Canvas.SelectedCell = nullptr;
    Canvas.Mode = DragMode::None;
    Refresh();
}

void CPictureCtrl::AttachCellToChannel(uint32_t channel, CCell* cell) {
    if (!cell) return;
    if (!Registry) {
        cell->ShowView(true);
        return;
    }
    cell->ChannelIndex = channel;
    Registry->AttachView(channel, cell);
}

void CPictureCtrl::SortCellsByPriority() { Canvas.SortCellsByPriority(); }

void CPictureCtrl::RestackCells() {
    for (const auto& c : Canvas.Cells) {
        if (AsCell(c.get())->ViewWindow()) AsCell(c.get())->ViewWindow()->Raise();
    }
}

void CPictureCtrl::BringCellToTop(CCell* cell) {
    if (!cell) return;
    Canvas.MoveCellToEnd(cell);
    if (cell->ViewWindow()) cell->ViewWindow()->Raise();
    Refresh();
}

void CPictureCtrl::ReplaceAllCells() {
    Canvas.ReplaceAllCells();
    for (const auto& c : Canvas.Cells) PlaceCellView(AsCell(c.get()));
    Refresh();
}

void CPictureCtrl::SetScale(double x, double y) { Canvas.SetScale({x, y}); }

void CPictureCtrl::SetPreviewSize(int width, int height) {
    if (width <= 0 || height <= 0) return;
    PreviewW = width;
    PreviewH = height;
}

// ---- mouse ----

void CPictureCtrl::HandleMouse(wxMouseEvent& event) {
    const wxPoint pos = event.GetPosition();
    const CanvasPoint p{pos.x, pos.y};
    const wxEventType type = event.GetEventType();
    if (type == wxEVT_LEFT_DOWN) {
        SetFocus();
        // Exactly Ctrl: a Ctrl press toggles selection and never drags.
        Apply(Canvas.LeftDown(p, event.ControlDown()));
    } else if (type == wxEVT_MOTION) {
        Apply(Canvas.MouseMove(p));
        if (Canvas.Mode == DragMode::Move || Canvas.Mode == DragMode::Resize) ScrollParentTowards(pos);
    } else if (type == wxEVT_LEFT_UP) {
        Apply(Canvas.LeftUp());
    } else if (type == wxEVT_LEFT_DCLICK) {
        Apply(Canvas.DoubleClick(p));
    }
}

void CPictureCtrl::OnCaptureLost(wxMouseCaptureLostEvent&) {
    // The drag ends where the cell is; the parent still hears of the change.
    Apply(Canvas.LeftUp());
}

void CPictureCtrl::OnKeyDown(wxKeyEvent& event) {
    // Enter and Esc on the canvas would otherwise close the dialog around it.
    if (event.GetKeyCode() == WXK_RETURN || event.GetKeyCode() == WXK_ESCAPE) return;
    event.Skip();
}

void CPictureCtrl::Apply(const MouseOutcome& out) {
    if (out.Changed) PlaceCellView(AsCell(out.Changed));
    if (out.RepaintAll) Refresh();
    for (const CanvasRect& r : out.Invalid) RefreshRect(ToWx(r.Normalized()));
    if (out.SetCursor) SetCursor(CursorFor(out.Cursor));
    if (out.Capture && !HasCapture()) CaptureMouse();
    if (out.Release && HasCapture()) ReleaseMouse();
    for (const CanvasNotice& n : out.Notices) {
        // A press names the cell only: a test pattern marks the layer cells as frames, and a
        // dragged layer must still become the current one.
        if (n.What == CanvasNotice::CellSelected) PostMsg(GetParent(), MCellSelected, n.Order, 0);
        else NotifyCellChanged(n);
    }
}

void CPictureCtrl::NotifyCellChanged(const CanvasNotice& notice) {
    PostMsg(GetParent(), MCellChanged, notice.Order, notice.IsFrame ? 1 : 0);
}

void CPictureCtrl::ScrollParentTowards(const wxPoint& point) {
    auto* scroller = dynamic_cast<wxScrollHelper*>(GetParent());
    if (!scroller) return;
    const wxPoint inParent = point + GetPosition();
    const wxSize size = GetParent()->GetClientSize();
    int x = 0, y = 0;
    scroller->GetViewStart(&x, &y);
    const int dx = inParent.x < 0 ? -1 : (inParent.x >= size.x ? 1 : 0);
    const int dy = inParent.y < 0 ? -1 : (inParent.y >= size.y ? 1 : 0);
    if (dx != 0 || dy != 0) {
        scroller->Scroll(std::max(0, x + dx), std::max(0, y + dy));
        GetParent()->Refresh();
        GetParent()->Update();
    }
}

// ---- painting ----

void CPictureCtrl::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    const wxRect area = GetUpdateRegion().GetBox();
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_BTNFACE)));
    dc.DrawRectangle(area);
    if (Canvas.Grid) PaintGrid(dc, area);
    // Only cells in the repainted area: a layer cell's drawing also redraws its video view.
    const CanvasRect update{area.x, area.y, area.x + area.width, area.y + area.height};
    for (const auto& c : Canvas.Cells) {
        if (!c->IsFrame && !c->IsHidden() && c->Intersects(update.GrownBy({1, 1, 1, 1}))) AsCell(c.get())->Draw(dc);
    }
    for (const auto& c : Canvas.Cells) {
        if (!c->IsFrame || c->IsHidden()) continue;
        AsCell(c.get())->Draw(dc);
        PaintFrameLabel(dc, *AsCell(c.get()));
        if (c->Passive) PaintSplitLines(dc, *AsCell(c.get()));
    }
    PaintOverlaps(dc);
    PaintSnapGuide(dc);
    if (ShowCaptions) PaintCaptions(dc);
    PaintBand(dc);
}

void CPictureCtrl::PaintGrid(wxDC& dc, const wxRect& area) {
    // Dots every grid step over the part of the parent that shows the canvas.
    const wxPoint at = GetPosition();
    const wxRect parent(-at.x, -at.y, GetParent()->GetClientSize().x, GetParent()->GetClientSize().y);
    const wxRect r = area.Intersect(parent);
    dc.SetPen(wxPen(ColourFromRef(GridWhite), 1));
    for (int y = (std::max(r.y, 0) + GridStep - 1) / GridStep * GridStep; y < r.GetBottom() + 1; y += GridStep) {
        for (int x = (std::max(r.x, 0) + GridStep - 1) / GridStep * GridStep; x < r.GetRight() + 1; x += GridStep) {
            dc.DrawPoint(x, y);
        }
    }
}

void CPictureCtrl::PaintFrameLabel(wxDC& dc, const CCell& cell) {
    const CanvasRect r = cell.Rect.Normalized();
    dc.SetFont(CellFont);
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    dc.SetTextForeground(ColourFromRef(LabelGreen));
    const wxString text = wxString::FromUTF8(cell.Label);
    const wxSize extent = dc.GetTextExtent(text);
    const wxPoint at(r.right - 2 - extent.x, r.bottom - 2 - extent.y);
    if (!cell.OutlineOnly) {
        // Green on the solid frame's blue is hard to read: the name stands on the black of the
        // cells' normal fill.
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(NormalBrush);
        dc.DrawRectangle(wxRect(at, extent).Inflate(2, 1).Intersect(ToWx(r)));
    }
    dc.DrawText(text, at);
}

void CPictureCtrl::PaintSplitLines(wxDC& dc, const CCell& cell) {
    const CanvasRect r = cell.Rect.Normalized();
    const int w = r.Width(), h = r.Height();
    dc.SetPen(wxPen(ColourFromRef(SplitYellow), 1, wxPENSTYLE_DOT_DASH));
    const auto horizontal = [&](int parts) {
        for (int i = 1; i < parts; ++i) dc.DrawLine(r.left, r.top + h * i / parts, r.right, r.top + h * i / parts);
    };
    const auto vertical = [&](int parts) {
        for (int i = 1; i < parts; ++i) dc.DrawLine(r.left + w * i / parts, r.top, r.left + w * i / parts, r.bottom);
    };
    switch (cell.SplitType) {
    case 1: horizontal(4); break;
    case 2: vertical(4); break;
    case 3: horizontal(2); vertical(2); break;
    case 4: horizontal(3); break;
    case 5: vertical(3); break;
    case 6: horizontal(2); break;
    case 7: vertical(2); break;
    default: break;
    }
}

void CPictureCtrl::PaintOverlaps(wxDC& dc) {
    dc.SetPen(wxPen(ColourFromRef(OverlapBlue), 1, wxPENSTYLE_DOT));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    const auto& cells = Canvas.Cells;
    for (size_t i = 0; i < cells.size(); ++i) {
        if (cells[i]->IsFrame || cells[i]->IsHidden()) continue;
        for (size_t j = i + 1; j < cells.size(); ++j) {
            if (cells[j]->IsFrame || cells[j]->IsHidden()) continue;
            const CanvasRect common = IntersectRects(cells[i]->Rect.Normalized(), cells[j]->Rect.Normalized());
            if (!common.IsEmpty()) dc.DrawRectangle(ToWx(common));
        }
    }
}

void CPictureCtrl::PaintSnapGuide(wxDC& dc) {
    if (Canvas.SnapState == SnapNone) return;
    const CanvasRect& g = Canvas.GuideRect;
    dc.SetPen(wxPen(ColourFromRef(GuideYellow), 2));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    const auto square = [&](int x, int y) { dc.DrawRectangle(x - 5, y - 5, 10, 10); };
    switch (Canvas.SnapState) {
    case SnapLeftEdge: dc.DrawLine(g.left, g.top, g.left, g.bottom); break;
    case SnapTopEdge: dc.DrawLine(g.left, g.top, g.right, g.top); break;
    case SnapRightEdge: dc.DrawLine(g.right, g.top, g.right, g.bottom); break;
    case SnapBottomEdge: dc.DrawLine(g.left, g.bottom, g.right, g.bottom); break;
    case SnapTopLeft: square(g.left, g.top); break;
    case SnapBottomLeft: square(g.left, g.bottom); break;
    case SnapTopRight: square(g.right, g.top); break;
    case SnapBottomRight: square(g.right, g.bottom); break;
    default: break;
    }
}

void CPictureCtrl::PaintCaptions(wxDC& dc) {
    const wxPoint at = GetPosition();
    const wxSize size = GetParent()->GetClientSize();
    const wxRect upper(-at.x, -at.y, size.x, size.y / 2);
    const wxRect lower(-at.x, -at.y + size.y / 2, size.x, size.y - size.y / 2);
    const wxFont font = FontFromLogFont(LogFont{20, 700, false, "Arial"});
    const auto half = [&](const wxRect& r, COLORREF colour, const wxString& title) {
        dc.SetPen(*wxTRANSPARENT_PEN);
        dc.SetBrush(wxBrush(ColourFromRef(CaptionStrip)));
        dc.DrawRectangle(r.x, r.y, r.width, 26);
        dc.SetPen(wxPen(ColourFromRef(colour), 6));
        dc.SetBrush(*wxTRANSPARENT_BRUSH);
        dc.DrawRectangle(r.x + 3, r.y + 3, r.width - 5, r.height - 5);
        dc.SetFont(font);
        dc.SetTextForeground(ColourFromRef(colour));
        const wxSize extent = dc.GetTextExtent(title);
        dc.DrawText(title, r.x + (r.width - extent.x) / 2, r.y + (26 - extent.y) / 2);
    };
    half(upper, PreviewGreen, "PREVIEW");
    half(lower, ProgramRed, "PROGRAM");
}

void CPictureCtrl::PaintBand(wxDC& dc) {
    if (Canvas.Mode != DragMode::Band) return;
    const CanvasRect band =
        CanvasRect{Canvas.BandStart.x, Canvas.BandStart.y, Canvas.BandEnd.x, Canvas.BandEnd.y}.Normalized();
    dc.SetPen(wxPen(*wxBLACK, 1, wxPENSTYLE_DOT));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(ToWx(band));
}

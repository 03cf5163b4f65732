#include "preview/MShowVideoDlg.h"

#include "controls/PageLanguage.h"
#include "controls/PopupPageHost.h"
#include "controls/SkinStatic.h"
#include "preview/channel/PreviewChannels.h"
#include "preview/video/SdlVideoStart.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

namespace {

wxRect ToWx(const PreviewRect& r) { return wxRect(r.Left, r.Top, r.Width, r.Height); }

// The pointer over an edge or a corner shows the way it sizes the window.
wxStockCursor CursorFor(PreviewHit hit) {
    switch (hit) {
    case PreviewHit::Left:
    case PreviewHit::Right: return wxCURSOR_SIZEWE;
    case PreviewHit::Top:
    case PreviewHit::Bottom: return wxCURSOR_SIZENS;
    case PreviewHit::TopLeft:
    case PreviewHit::BottomRight: return wxCURSOR_SIZENWSE;
    case PreviewHit::TopRight:
    case PreviewHit::BottomLeft: return wxCURSOR_SIZENESW;
    default: return wxCURSOR_ARROW;
    }
}

} // namespace

MShowVideoDlg::MShowVideoDlg() : MBaseDialog(IDD, false) {
    for (int i = 0; i < PreviewPaneCount; ++i)
        Panes[static_cast<size_t>(i)] =
            std::make_unique<ShowStatic>([this, i] { CallAfter([this, i] { OnPictureReady(i); }); });
}

MShowVideoDlg::~MShowVideoDlg() {
    // Each pane leaves the channel before its window goes.
    for (auto& pane : Panes) pane->Release();
}

void MShowVideoDlg::OnInitDialog() {
    if (Built || !GetHandle()) return;
    Built = true;
    // SDL stays up for the rest of the program (the working area's cells share it).
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0) StartSdlVideo();
    CreateCaptionButtons(true);
    const wxSize client = GetClientSize();
    for (int i = 0; i < PreviewPaneCount; ++i) {
        Labels[static_cast<size_t>(i)] =
            new SkinStatic(this, PreviewLabelFirstId + i, wxString::Format("Window %d", i + 1),
                           ToWx(PreviewLabelRect(client.x, client.y, i)));
        CreatePane(i, ToWx(PreviewPaneRect(client.x, client.y, i)));
    }
    SetChildFonts();
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        PlacePanes();
        e.Skip();
    });
    WatchEdges(this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { DragHit = PreviewHit::Client; });
}

void MShowVideoDlg::WatchEdges(wxWindow* window) {
    window->Bind(wxEVT_LEFT_DOWN, &MShowVideoDlg::OnMouseDown, this);
    window->Bind(wxEVT_MOTION, &MShowVideoDlg::OnMouseMove, this);
    window->Bind(wxEVT_LEFT_UP, &MShowVideoDlg::OnMouseUp, this);
}

void MShowVideoDlg::CreatePane(int i, const wxRect& rect) {
    ShowStatic& pane = *Panes[static_cast<size_t>(i)];
    const bool isNew = pane.Window() == nullptr;
    pane.Create(this, rect);
    if (isNew && pane.Window()) WatchEdges(pane.Window());
}

void MShowVideoDlg::ApplyLanguage() {
    OnInitDialog();
    ApplyLanguageToPage(*this);
    Refresh();
}

void MShowVideoDlg::PlacePanes() {
    const wxSize client = GetClientSize();
    for (int i = 0; i < PreviewPaneCount; ++i) {
        if (SkinStatic* label = Labels[static_cast<size_t>(i)])
            label->SetSize(ToWx(PreviewLabelRect(client.x, client.y, i)));
        Panes[static_cast<size_t>(i)]->Place(ToWx(PreviewPaneRect(client.x, client.y, i)));
    }
    Refresh();
}

void MShowVideoDlg::RebuildPanes(PreviewChannels* channels) {
    Channels = channels;
    if (!Channels) {
        for (auto& pane : Panes) pane->Release();
        return;
    }
    OnInitDialog();
    H264Channel& main = Channels->Main();
    const wxSize client = GetClientSize();
    for (int i = 0; i < PreviewPaneCount; ++i) {
        ShowStatic& pane = *Panes[static_cast<size_t>(i)];
        pane.DestroySDL();
        const wxRect rect = ToWx(PreviewPaneRect(client.x, client.y, i));
        CreatePane(i, rect);
        pane.Window()->Show();
        pane.SetQuadrant(i);
        pane.CreateSDL();
        pane.Place(rect);
        pane.Register(main);
    }
}

void MShowVideoDlg::ClearPanes() {
    for (auto& pane : Panes) pane->ClearPicture();
}

void MShowVideoDlg::OnPictureReady(int pane) {
    if (pane >= 0 && pane < PreviewPaneCount) Panes[static_cast<size_t>(pane)]->ShowLatest();
}

// The window has no frame of its own: its edges, corners and caption move and size it. The
// point is taken on the window the mouse is over (the page or a pane) and tested in screen
// coordinates against the whole window.
PreviewHit MShowVideoDlg::HitAt(const wxMouseEvent& event, wxPoint& screen) const {
    const auto* from = dynamic_cast<wxWindow*>(event.GetEventObject());
    wxWindow* host = PopupHost();
    if (!from || !host) return PreviewHit::Client;
    screen = from->ClientToScreen(event.GetPosition());
    const wxRect window = host->GetScreenRect();
    return PreviewWindowHitTest(screen.x, screen.y, {window.x, window.y, window.width, window.height});
}

void MShowVideoDlg::OnMouseDown(wxMouseEvent& event) {
    wxPoint at;
    const PreviewHit hit = HitAt(event, at);
    if (hit == PreviewHit::Client) return event.Skip();
    const wxRect window = PopupHost()->GetScreenRect();
    DragHit = hit;
    DragFrom = at;
    DragStartRect = {window.x, window.y, window.width, window.height};
    if (!HasCapture()) CaptureMouse();
}

void MShowVideoDlg::OnMouseMove(wxMouseEvent& event) {
    wxWindow* host = PopupHost();
    if (DragHit == PreviewHit::Client || !host || !event.LeftIsDown()) {
        wxPoint at;
        const PreviewHit hit = HitAt(event, at);
        if (auto* over = dynamic_cast<wxWindow*>(event.GetEventObject()))
            over->SetCursor(wxCursor(CursorFor(hit == PreviewHit::Caption ? PreviewHit::Client : hit)));
        return event.Skip();
    }
    const auto* from = dynamic_cast<wxWindow*>(event.GetEventObject());
    const wxPoint at = (from ? from : this)->ClientToScreen(event.GetPosition());
    const PreviewRect r = DragPreviewWindow(DragStartRect, DragHit, at.x - DragFrom.x, at.y - DragFrom.y);
    host->SetSize(r.Left, r.Top, r.Width, r.Height);
}

void MShowVideoDlg::OnMouseUp(wxMouseEvent& event) {
    if (DragHit == PreviewHit::Client) return event.Skip();
    DragHit = PreviewHit::Client;
    if (HasCapture()) ReleaseMouse();
}

MShowVideoDlg* CreatePreviewWindow(wxWindow* owner, const wxRect& rect) {
    auto* host = new PopupPageHost(owner, rect);
    host->SetMinSize(wxSize(PreviewMinWidth, PreviewMinHeight));
    auto* page = new MShowVideoDlg;
    if (!host->HostPage(*page)) {
        delete page;
        host->Destroy();
        return nullptr;
    }
    page->PageTitle = "Video Window";
    page->OnInitDialog();
    return page;
}

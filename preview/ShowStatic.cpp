#include "preview/ShowStatic.h"

#include "platform/ui/NativeWindow.h"
#include "preview/channel/H264Channel.h"

#include <wx/dcclient.h>
#include <wx/window.h>

ShowStatic::ShowStatic(std::function<void()> wakeUi) : Mailbox(std::move(wakeUi)) {}

ShowStatic::~ShowStatic() {
    Release();
}

void ShowStatic::Create(wxWindow* parent, const wxRect& rect) {
    if (Pane) {
        Pane->SetSize(rect);
        return;
    }
    Pane = new wxWindow(parent, wxID_ANY, rect.GetPosition(), rect.GetSize(), wxBORDER_SIMPLE | wxCLIP_SIBLINGS);
    Pane->SetBackgroundStyle(wxBG_STYLE_PAINT);
    Pane->SetBackgroundColour(*wxBLACK);
    // SDL draws the pane; an expose shows the last picture again once GTK has painted its part.
    Pane->Bind(wxEVT_PAINT, [this](wxPaintEvent&) {
        wxPaintDC dc(Pane);
        Pane->CallAfter([this] { View.Redraw(); });
    });
}

bool ShowStatic::CreateSDL() {
    if (!Pane) return false;
    if (View.IsAttached()) return true;
    const uintptr_t xid = NativeWindowOf(Pane);
    if (!xid) return false;
    ApplyNativeGeometryNow(Pane, Pane->GetRect());
    if (!View.AttachNative(xid)) return false;
    const wxSize size = Pane->GetClientSize();
    View.SetOutputSize(size.x, size.y);
    return true;
}

void ShowStatic::DestroySDL() {
    View.Detach();
}

void ShowStatic::Release() {
    Unregister();
    DestroySDL();
    if (Pane) Pane->Destroy();
    Pane = nullptr;
    Latest.Clear();
}

void ShowStatic::SetQuadrant(int quadrant) {
    View.SetQuadrant(quadrant);
    // The quadrant fills the pane: drawn at the frame's own size it would be clipped to a corner
    // whenever the pane is smaller than the frame.
    View.SetDestinationRect(std::nullopt);
}

void ShowStatic::Place(const wxRect& rect) {
    if (!Pane) return;
    Pane->SetSize(rect);
    ApplyNativeGeometryNow(Pane, rect);
    const wxSize size = Pane->GetClientSize();
    View.SetOutputSize(size.x, size.y);
    View.Redraw();
}

bool ShowStatic::Register(H264Channel& channel) {
    if (Channel && Channel != &channel) Unregister();
    Channel = &channel;
    return channel.HasView(&Mailbox) || channel.AddView(&Mailbox, ChannelViewKind::Pane);
}

void ShowStatic::Unregister() {
    if (Channel) Channel->RemoveView(&Mailbox);
    Channel = nullptr;
}

bool ShowStatic::IsRegistered() const {
    return Channel && Channel->HasView(&Mailbox);
}

void ShowStatic::ClearPicture() {
    Mailbox.TakeLatest(Latest);
    Latest.Clear();
    View.Clear();
}

void ShowStatic::ShowLatest() {
    if (!Mailbox.TakeLatest(Latest)) return;
    if (!Pane || !Pane->IsShownOnScreen() || !View.IsAttached()) return;
    if (View.Draw(Latest.View())) ++Drawn;
}

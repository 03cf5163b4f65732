#include "preview/ShowStatic.h"

#include "preview/channel/H264Channel.h"

#include <gdk/gdkx.h>
#include <gtk/gtk.h>
#include <wx/dcclient.h>
#include <wx/window.h>

uintptr_t NativeWindowOf(wxWindow* window) {
    auto* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    if (!widget) return 0;
    if (!gtk_widget_get_realized(widget)) gtk_widget_realize(widget);
    GdkWindow* gdkWindow = gtk_widget_get_window(widget);
    if (!gdkWindow || !GDK_IS_X11_WINDOW(gdkWindow)) return 0;
    gdk_window_ensure_native(gdkWindow);
    // SDL asks the X server about the window on a connection of its own: the server must know it.
    gdk_display_sync(gdk_window_get_display(gdkWindow));
    return gdk_x11_window_get_xid(gdkWindow);
}

namespace {

// GTK moves a child's X window only at its next layout; SDL must see the real place and size
// before it draws, so the X window is put there at once.
void ApplyGeometryNow(wxWindow* window, const wxRect& r) {
    auto* widget = static_cast<GtkWidget*>(window->GetHandle());
    GdkWindow* gdkWindow = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!gdkWindow || !gdk_window_has_native(gdkWindow)) return;
    gdk_window_move_resize(gdkWindow, r.x, r.y, r.width, r.height);
    gdk_display_sync(gdk_window_get_display(gdkWindow));
}

} // namespace

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
        Pane->CallAfter([this] { Video.Redraw(); });
    });
}

bool ShowStatic::CreateSDL() {
    if (!Pane) return false;
    if (Video.IsAttached()) return true;
    const uintptr_t xid = NativeWindowOf(Pane);
    if (!xid) return false;
    ApplyGeometryNow(Pane, Pane->GetRect());
    if (!Video.AttachNative(xid)) return false;
    const wxSize size = Pane->GetClientSize();
    Video.SetOutputSize(size.x, size.y);
    return true;
}

void ShowStatic::DestroySDL() {
    Video.Detach();
}

void ShowStatic::Release() {
    Unregister();
    DestroySDL();
    if (Pane) Pane->Destroy();
    Pane = nullptr;
    Latest.Clear();
}

void ShowStatic::SetQuadrant(int frameWidth, int frameHeight, int quadrant) {
    Video.SetSourceRect(QuadrantSourceRect(frameWidth, frameHeight, quadrant));
    // The quadrant fills the pane: drawn at the frame's own size it would be clipped to a corner
    // whenever the pane is smaller than the frame.
    Video.SetDestinationRect(std::nullopt);
}

void ShowStatic::Place(const wxRect& rect) {
    if (!Pane) return;
    Pane->SetSize(rect);
    ApplyGeometryNow(Pane, rect);
    const wxSize size = Pane->GetClientSize();
    Video.SetOutputSize(size.x, size.y);
    Video.Redraw();
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

void ShowStatic::ShowLatest() {
    if (!Mailbox.TakeLatest(Latest)) return;
    if (!Pane || !Pane->IsShownOnScreen() || !Video.IsAttached()) return;
    if (Video.Draw(Latest.View())) ++Drawn;
}

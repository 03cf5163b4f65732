#include "platform/ui/NativeWindow.h"

#include <wx/window.h>

// GDK's X11 header pulls in Xlib, whose macros (None, Bool, Status) clash with wx names: it
// comes last.
#include <gdk/gdkx.h>
#include <gtk/gtk.h>

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

bool IsNativeView(wxWindow* window) {
    auto* widget = window && !window->IsTopLevel() ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    GdkWindow* gdkWindow = widget && gtk_widget_get_realized(widget) ? gtk_widget_get_window(widget) : nullptr;
    return gdkWindow && gdk_window_has_native(gdkWindow);
}

bool IsMappedOnScreen(wxWindow* window) {
    auto* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    return widget && gtk_widget_get_mapped(widget);
}

void ApplyNativeGeometryNow(wxWindow* window, const wxRect& rect) {
    auto* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    GdkWindow* gdkWindow = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!gdkWindow || !gdk_window_has_native(gdkWindow)) return;
    gdk_window_move_resize(gdkWindow, rect.x, rect.y, rect.width, rect.height);
    gdk_display_sync(gdk_window_get_display(gdkWindow));
}

namespace {
gboolean OnConfigureEvent(GtkWidget*, GdkEventConfigure*, gpointer data) {
    reinterpret_cast<bool (*)()>(data)();
    return FALSE; // GTK and wx still see the event
}
} // namespace

void WatchConfigureEvents(wxWindow* topLevel, bool (*onConfigure)()) {
    auto* widget = topLevel ? static_cast<GtkWidget*>(topLevel->GetHandle()) : nullptr;
    if (!widget || !onConfigure) return;
    g_signal_connect(widget, "configure-event", G_CALLBACK(OnConfigureEvent),
                     reinterpret_cast<gpointer>(onConfigure));
}

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

namespace {
GdkWindow* GdkWindowOf(wxWindow* window) {
    auto* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    return widget && gtk_widget_get_realized(widget) ? gtk_widget_get_window(widget) : nullptr;
}
} // namespace

bool IsStackedAbove(wxWindow* a, wxWindow* b) {
    GdkWindow* wa = GdkWindowOf(a);
    GdkWindow* wb = GdkWindowOf(b);
    if (!wa || !wb || wa == wb) return false;
    // The ancestor chains, from each window up; where they first share a parent, the sibling
    // nearer the front of that parent's child list is the upper one.
    for (GdkWindow* upA = wa; upA; upA = gdk_window_get_parent(upA)) {
        GdkWindow* parent = gdk_window_get_parent(upA);
        for (GdkWindow* upB = wb; upB; upB = gdk_window_get_parent(upB)) {
            if (upB == upA) return false;  // b lies inside a
            if (gdk_window_get_parent(upB) != parent || !parent) continue;
            for (GList* child = gdk_window_peek_children(parent); child; child = child->next) {
                if (child->data == upA) return true;
                if (child->data == upB) return false;
            }
            return false;
        }
    }
    return false;
}

void ApplyNativeGeometryNow(wxWindow* window, const wxRect& rect) {
    auto* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    GdkWindow* gdkWindow = widget ? gtk_widget_get_window(widget) : nullptr;
    if (!gdkWindow || !gdk_window_has_native(gdkWindow)) return;
    gdk_window_move_resize(gdkWindow, rect.x, rect.y, rect.width, rect.height);
    gdk_display_sync(gdk_window_get_display(gdkWindow));
}

void MoveTopLevelNow(wxWindow* topLevel, int x, int y) {
    auto* widget = topLevel ? static_cast<GtkWidget*>(topLevel->GetHandle()) : nullptr;
    if (!widget || !GTK_IS_WINDOW(widget)) return;
    gtk_window_move(GTK_WINDOW(widget), x, y);
}

void TakeWheelEvents(wxWindow* window) {
    auto* widget = window ? static_cast<GtkWidget*>(window->GetHandle()) : nullptr;
    if (widget) gtk_widget_add_events(widget, GDK_SCROLL_MASK | GDK_SMOOTH_SCROLL_MASK);
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

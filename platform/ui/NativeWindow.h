#pragma once
// SDL draws into child windows of ours through their X11 window ids. GTK makes child windows
// client-side and places them lazily; these make one a real X window and put it in place at once.
#include <cstdint>

#include <wx/gdicmn.h>

class wxWindow;

// The X11 window id of a child window (made native if it was not), or 0 when there is none.
uintptr_t NativeWindowOf(wxWindow* window);

// Whether a child window is a real X window of its own (a video view), drawn over its
// client-side siblings whatever their order.
bool IsNativeView(wxWindow* window);

// Whether a window is mapped on the screen (wx may count a window as shown that is not).
bool IsMappedOnScreen(wxWindow* window);

// Whether window `a` is stacked above window `b` where they meet, in GDK's order of sibling
// windows (the order GDK also clips native windows by).
bool IsStackedAbove(wxWindow* a, wxWindow* b);

// Puts a native child's X window where wx has just placed it, at once: GTK applies the new
// geometry only at its next layout, and SDL must see the real place and size before it draws.
// A window that is not native is left to GTK.
void ApplyNativeGeometryNow(wxWindow* window, const wxRect& rect);

// Asks for a top-level window at screen position (x, y) now, shown or not. GTK places a transient
// window it is about to show for the first time on its own (centred on its owner) unless it was
// moved while hidden, and wx passes a move on only when the position it recorded changes.
void MoveTopLevelNow(wxWindow* topLevel, int x, int y);

// A GTK text entry takes no wheel events of its own (they go to its parent): this one does.
void TakeWheelEvents(wxWindow* window);

// Calls `onConfigure` on the UI thread each time the top-level window's native window is moved
// or resized (its configure events), for the window's life.
void WatchConfigureEvents(wxWindow* topLevel, bool (*onConfigure)());

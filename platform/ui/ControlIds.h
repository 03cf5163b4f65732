#pragma once
// Control ids as the windows and language files number them. Some lie outside the range wx
// accepts for window ids (0xEFFE, 65400, 65535, ...), so each kit control carries its own id
// beside its window id; messages and clicks carry the control id.
#include <wx/window.h>

// The window id to create a control with: the control id itself where wx accepts it.
int WindowIdFor(int controlId);

class ControlIdentity {
public:
    explicit ControlIdentity(int controlId) : ControlId(controlId) {}
    virtual ~ControlIdentity() = default;
    int ControlId;
};

// The control id of a window: its kit control id, else its window id.
int ControlIdOf(const wxWindow* window);
// The descendant of `parent` with that control id, or null.
wxWindow* FindControl(wxWindow* parent, int controlId);

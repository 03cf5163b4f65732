#include "platform/ui/ControlIds.h"

int WindowIdFor(int controlId) { return controlId > 0 && controlId < 32767 ? controlId : wxID_ANY; }

int ControlIdOf(const wxWindow* window) {
    if (!window)
        return 0;
    if (auto* identity = dynamic_cast<const ControlIdentity*>(window))
        return identity->ControlId;
    return window->GetId();
}

wxWindow* FindControl(wxWindow* parent, int controlId) {
    if (!parent)
        return nullptr;
    for (wxWindow* child : parent->GetChildren()) {
        if (ControlIdOf(child) == controlId)
            return child;
        if (wxWindow* found = FindControl(child, controlId))
            return found;
    }
    return nullptr;
}

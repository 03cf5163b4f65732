#include "platform/ui/ControlTable.h"

std::vector<wxWindow*> BuildControls(wxWindow* parent, std::span<const ControlSpec> table,
                                     const ControlFactory& factory) {
    std::vector<wxWindow*> made;
    for (const ControlSpec& spec : table) {
        wxWindow* window = factory(parent, spec);
        if (!window)
            continue;
        if (spec.Flags & ControlDisabled)
            window->Disable();
        if (spec.Flags & ControlHidden)
            window->Hide();
        made.push_back(window);
    }
    return made;
}

const ControlSpec* FindControlSpec(std::span<const ControlSpec> table, int id) {
    for (const ControlSpec& spec : table)
        if (spec.Id == id)
            return &spec;
    return nullptr;
}

#pragma once
// Makes the kit control for a row of a control table (see platform/ui/ControlTable.h). Group
// boxes have no window: they become group boxes of the page.
#include <span>

#include "platform/ui/ControlIds.h"
#include "platform/ui/ControlTable.h"

class MBaseDialog;

wxWindow* MakeKitControl(wxWindow* parent, const ControlSpec& spec);
// Builds the whole table on a page (group-box rows go to the page's group boxes).
std::vector<wxWindow*> BuildPageControls(MBaseDialog& page, std::span<const ControlSpec> table);

// The page's kit control with that id, as its own class (null when it is not one).
template <class T> T* FindKitControl(wxWindow* page, int id) {
    return dynamic_cast<T*>(FindControl(page, id));
}

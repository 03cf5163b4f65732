#pragma once
// A window's controls as a table (in place of a dialog template): each row names the control's
// numeric id, kind, rectangle, text and flags. The ids stay those the language files and the
// windows' handlers use.
#include <functional>
#include <span>
#include <vector>

#include <wx/window.h>

enum class ControlKind {
    Static,       // skinned text
    Edit,         // plain coloured edit
    RealEdit,     // numeric edit
    SliderEdit,   // numeric edit linked to a slider
    Slider,       // bitmap slider
    ImageButton,  // picture button
    DropButton,   // drop-down list
    GroupBox,     // drawn by the window, not a child window
    Picture,      // still or animated picture
    List,         // report list
};

enum ControlFlags : unsigned {
    ControlHidden = 1,
    ControlDisabled = 2,
};

struct ControlSpec {
    int Id;
    ControlKind Kind;
    int X, Y, Width, Height;
    const char* Text;
    unsigned Flags;
};

// Makes the window for one row, or returns null for rows that have no window of their own.
using ControlFactory = std::function<wxWindow*(wxWindow* parent, const ControlSpec& spec)>;

// Creates every row's control in table order (the tab order), applying the flags. Returns the
// windows made, in order.
std::vector<wxWindow*> BuildControls(wxWindow* parent, std::span<const ControlSpec> table,
                                     const ControlFactory& factory);

// The row with that id, or null.
const ControlSpec* FindControlSpec(std::span<const ControlSpec> table, int id);

#include "controls/KitControlFactory.h"

#include "controls/CDropButton.h"
#include "controls/CGdipButton.h"
#include "controls/CListCtrlCl.h"
#include "controls/CMyEdit.h"
#include "controls/CPictureEx.h"
#include "controls/MBaseDialog.h"
#include "controls/NumericEdit.h"
#include "controls/SkinStatic.h"
#include "controls/oBitmapSlider.h"

wxWindow* MakeKitControl(wxWindow* parent, const ControlSpec& spec) {
    const wxRect rect(spec.X, spec.Y, spec.Width, spec.Height);
    const wxString text = spec.Text ? wxString::FromUTF8(spec.Text) : wxString();
    switch (spec.Kind) {
    case ControlKind::Static: return new SkinStatic(parent, spec.Id, text, rect);
    case ControlKind::Edit: return new CMyEdit(parent, spec.Id, rect);
    case ControlKind::RealEdit: return new oRealEdit(parent, spec.Id, rect);
    case ControlKind::SliderEdit: return new oSliderEdit(parent, spec.Id, rect);
    case ControlKind::Slider: return new oBitmapSlider(parent, spec.Id, rect);
    case ControlKind::ImageButton: return new CGdipButton(parent, spec.Id, text, rect);
    case ControlKind::DropButton: {
        auto* button = new CDropButton;
        button->Create(text, parent, spec.Id, KitPalette::Dark, KitPalette::Dark, KitPalette::TextBright, -1, nullptr,
                       KitPalette::ListBackground, rect);
        return button;
    }
    case ControlKind::Picture: return new CPictureEx(parent, spec.Id, rect);
    case ControlKind::List: return new CListCtrlCl(parent, spec.Id, rect);
    case ControlKind::GroupBox: return nullptr;
    }
    return nullptr;
}

std::vector<wxWindow*> BuildPageControls(MBaseDialog& page, std::span<const ControlSpec> table) {
    for (const ControlSpec& spec : table)
        if (spec.Kind == ControlKind::GroupBox) {
            CSxGroupBox& box = page.AddGroupBox(spec.Id, wxRect(spec.X, spec.Y, spec.Width, spec.Height),
                                                spec.Text ? wxString::FromUTF8(spec.Text) : wxString());
            box.Enable(!(spec.Flags & ControlDisabled));
        }
    return BuildControls(&page, table, MakeKitControl);
}

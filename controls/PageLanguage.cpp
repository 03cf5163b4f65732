#include "controls/PageLanguage.h"

#include <wx/textctrl.h>

#include "controls/MBaseDialog.h"
#include "platform/ui/ControlIds.h"

PageLanguageDialog::PageLanguageDialog(MBaseDialog& page) : Page(page) {
    for (wxWindow* child : page.GetChildren())
        Windows.push_back(child);
    Boxes = page.AllGroupBoxes();
}

void PageLanguageDialog::SetCaption(const std::string& text) { Page.SetLabel(wxString::FromUTF8(text)); }

size_t PageLanguageDialog::ChildCount() const { return Windows.size() + Boxes.size(); }

int PageLanguageDialog::ChildControlId(size_t child) const {
    return child < Windows.size() ? ControlIdOf(Windows[child]) : Boxes[child - Windows.size()]->Id;
}

bool PageLanguageDialog::ChildIsEdit(size_t child) const {
    return child < Windows.size() && Windows[child]->IsKindOf(wxCLASSINFO(wxTextCtrl));
}

bool PageLanguageDialog::ChildIsVisible(size_t child) const {
    return child < Windows.size() ? Windows[child]->IsShown() : true;
}

void PageLanguageDialog::ShowChild(size_t child, bool show) {
    if (child < Windows.size())
        Windows[child]->Show(show);
}

void PageLanguageDialog::SetChildText(size_t child, const std::string& text) {
    if (child < Windows.size())
        Windows[child]->SetLabel(wxString::FromUTF8(text));
    else
        Page.SetControlText(Boxes[child - Windows.size()]->Id, wxString::FromUTF8(text));
}

void ApplyLanguageToPage(MBaseDialog& page) {
    PageLanguageDialog dialog(page);
    ApplyLanguageToDialog(dialog, page.TemplateId);
}

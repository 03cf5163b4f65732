#include "controls/PageLanguage.h"

#include <wx/textctrl.h>

#include "controls/MBaseDialog.h"
#include "platform/ui/ControlIds.h"

PageLanguageDialog::PageLanguageDialog(MBaseDialog& page) : Page(page) {
    for (wxWindow* child : page.GetChildren())
        Windows.push_back(child);
    Boxes = page.AllGroupBoxes();
}

void PageLanguageDialog::SetCaption(const std::string& text) {
    const wxString caption = wxString::FromUTF8(text);
    Page.SetLabel(caption);
    // Pages without a drawn title (the pop-ups) keep none; a pop-up shows its caption as the
    // title of its window.
    if (!Page.PageTitle.empty()) {
        Page.PageTitle = caption;
        Page.Refresh();
    }
    if (wxWindow* host = Page.PopupHost())
        host->SetLabel(caption);
}

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

const std::vector<ControlText>& PageCaptions() {
    static const std::vector<ControlText> captions = {
        {110, "Picture Setting"},
        {117, "Output Setting"},
        {119, "Image Crop"},
        {120, "Mosaic Setting"},
        {150, "PIP Settings"},
        {164, "Logo Settings"},
        {154, "Chroma Keyer Settings"},
        {156, "EDID Settings"},
        {160, "VGA Adjustment"},
        {152, "Test Pattern"},
        {162, "Time/Task Management"},
        {158, "Misc Settings"},
        {127, "Connection Setting"},
        {179, "Search Machines"},
        {183, "Switcher Mode"},
        {1514, "Caption Setting"},
        {1533, "Video Display Setting"},
        {1563, "Media Player Setting"},
        {184, "Feathering"},
        {1559, "Video Window"},
        {100, "About Z81 ZedarEzuzovizu"},
    };
    return captions;
}

const char* PageCaption(int templateId) {
    for (const ControlText& caption : PageCaptions())
        if (caption.Id == templateId) return caption.Text;
    return "";
}

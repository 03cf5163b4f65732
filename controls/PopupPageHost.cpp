#include "controls/PopupPageHost.h"

#include "controls/MBaseDialog.h"
#include "controls/PageLanguage.h"
#include "platform/ui/NativeWindow.h"

PopupPageHost::PopupPageHost(wxWindow* owner, const wxRect& rect)
    : wxDialog(owner, wxID_ANY, wxString(), rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxFRAME_NO_TASKBAR) {
    SetExtraStyle(GetExtraStyle() | wxWS_EX_BLOCK_EVENTS);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        if (HostedPage)
            HostedPage->SetSize(GetClientSize());
        e.Skip();
    });
    // Closing the window (by the window manager) hides the page the way its close button does.
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        if (HostedPage && e.CanVeto()) {
            e.Veto();
            HostedPage->ClosePage();
        } else {
            e.Skip();
        }
    });
}

bool PopupPageHost::HostPage(MBaseDialog& page) {
    HostedPage = &page;
    SetLabel(wxString::FromUTF8(PageCaption(page.TemplateId)));
    return page.Create(this, wxRect(GetClientSize()));
}

bool PopupPageHost::Show(bool show) {
    if (show && !IsShown()) {
        const wxPoint at = GetPosition();
        MoveTopLevelNow(this, at.x, at.y);
    }
    return wxDialog::Show(show);
}

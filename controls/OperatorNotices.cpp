#include "controls/OperatorNotices.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "controls/MBaseDialog.h"
#include "platform/ui/UserMessages.h"

namespace {
OperatorNoticeHook& Hook() {
    static OperatorNoticeHook hook;
    return hook;
}
}  // namespace

void SendBusyBox(MBaseDialog& page, bool show, const std::string& text) {
    wxWindow* owner = page.OwnerWindow();
    if (!owner) return;
    if (show)
        SendMsg(owner, MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
    else
        SendMsg(owner, MShowBusy, 0, 0);
}

void ShowOperatorMessage(wxWindow* parent, const std::string& text, const std::string& caption) {
    if (Hook()) {
        Hook()(text, caption);
        return;
    }
    wxMessageBox(wxString::FromUTF8(text), caption.empty() ? wxString(wxTheApp ? wxTheApp->GetAppDisplayName() : "")
                                                           : wxString::FromUTF8(caption),
                 wxOK, parent);
}

bool AskOperator(wxWindow* parent, const std::string& text, const std::string& caption) {
    if (Hook()) return Hook()(text, caption);
    return wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK | wxCANCEL, parent) == wxOK;
}

void SetOperatorNoticeHook(OperatorNoticeHook hook) { Hook() = std::move(hook); }

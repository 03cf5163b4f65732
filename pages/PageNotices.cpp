#include "pages/PageNotices.h"

#include <wx/msgdlg.h>

#include "controls/MBaseDialog.h"
#include "platform/ui/UserMessages.h"

namespace {
PageMessageHook& Hook() {
    static PageMessageHook hook;
    return hook;
}
}  // namespace

void SendShowBusy(MBaseDialog& page, const std::string& text) {
    if (wxWindow* owner = page.OwnerWindow()) SendMsg(owner, MShowBusy, 1, reinterpret_cast<LPARAM>(&text));
}

void ShowPageMessage(wxWindow* parent, const std::string& text, const std::string& caption) {
    if (Hook()) {
        Hook()(text, caption);
        return;
    }
    wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK, parent);
}

void SetPageMessageHook(PageMessageHook hook) { Hook() = std::move(hook); }

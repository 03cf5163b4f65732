#include "controls/OperatorNotices.h"

#include <wx/app.h>
#include <wx/msgdlg.h>

#include "app/TextEncoding.h"
#include "controls/MBaseDialog.h"
#include "platform/ui/ShownTexts.h"
#include "platform/ui/UserMessages.h"

namespace {
OperatorNoticeHook& Hook() {
    static OperatorNoticeHook hook;
    return hook;
}

// The box's text, one shown line per line, for as long as the box is up.
class ShownBox {
public:
    explicit ShownBox(const std::string& text) {
        RecordShownTexts("message box", SplitTextLines(text));
    }
    ~ShownBox() { RecordShownTexts("message box", {}); }
    ShownBox(const ShownBox&) = delete;
    ShownBox& operator=(const ShownBox&) = delete;
};
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
    const ShownBox shown(text);
    wxMessageBox(wxString::FromUTF8(text), caption.empty() ? wxString(wxTheApp ? wxTheApp->GetAppDisplayName() : "")
                                                           : wxString::FromUTF8(caption),
                 wxOK, parent);
}

bool AskOperator(wxWindow* parent, const std::string& text, const std::string& caption) {
    if (Hook()) return Hook()(text, caption);
    const ShownBox shown(text);
    return wxMessageBox(wxString::FromUTF8(text), wxString::FromUTF8(caption), wxOK | wxCANCEL, parent) == wxOK;
}

void SetOperatorNoticeHook(OperatorNoticeHook hook) { Hook() = std::move(hook); }

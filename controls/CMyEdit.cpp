#include "controls/CMyEdit.h"

#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"

CMyEdit::CMyEdit(wxWindow* parent, int id, const wxRect& rect, long style) : SkinEdit(parent, id, rect, style) {
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        const int key = e.GetKeyCode();
        if (key == WXK_RETURN || key == WXK_NUMPAD_ENTER || key == WXK_ESCAPE) {
            PostMsg(GetParent(), MEditKeyDown, key == WXK_ESCAPE ? 27 : 13, ControlId);
            SetSelection(GetLastPosition(), GetLastPosition());
            return;
        }
        e.Skip();
    });
    Bind(wxEVT_CHAR, [this](wxKeyEvent& e) {
        e.Skip();
        PostMsg(GetParent(), MEditChar, static_cast<WPARAM>(e.GetUnicodeKey()), 0);
    });
    Bind(wxEVT_KILL_FOCUS, [this](wxFocusEvent& e) {
        PostMsg(GetParent(), MEditKeyDown, 13, ControlId);
        e.Skip();
    });
}

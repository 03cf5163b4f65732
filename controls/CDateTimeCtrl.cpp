#include "controls/CDateTimeCtrl.h"

#include "platform/ui/NativeWindow.h"

CDateTimeCtrl::CDateTimeCtrl(wxWindow* parent, int id, const wxRect& rect, DateTimeFields::Kind kind)
    : SkinEdit(parent, id, rect, wxTE_CENTRE), Model(kind) {
    SetMaxLength(16);
    Bind(wxEVT_KEY_DOWN, &CDateTimeCtrl::OnKeyDown, this);
    Bind(wxEVT_CHAR, &CDateTimeCtrl::OnChar, this);
    Bind(wxEVT_CHAR_HOOK, &CDateTimeCtrl::OnCharHook, this);
    Bind(wxEVT_KILL_FOCUS, &CDateTimeCtrl::OnKillFocus, this);
    Bind(wxEVT_MOUSEWHEEL, &CDateTimeCtrl::OnWheel, this);
    TakeWheelEvents(this);
    Show();
}

void CDateTimeCtrl::SetFields(int first, int second, int third) {
    Model.Set(first, second, third);
    Show();
}

const std::array<int, 3>& CDateTimeCtrl::Fields() {
    TakeTyped();
    return Model.Values();
}

void CDateTimeCtrl::TakeTyped() {
    Model.Parse(GetValue().utf8_string());
    Show();
}

void CDateTimeCtrl::Show() {
    const wxString text = wxString::FromUTF8(Model.Text());
    if (GetValue() != text) ChangeValue(text);
}

void CDateTimeCtrl::StepField(int field, int delta) {
    TakeTyped();
    Model.Step(field, delta);
    Show();
    // The stepped field stays selected, so that the next step goes to it too.
    const auto [start, length] = Model.FieldSpan(field);
    SetSelection(static_cast<long>(start), static_cast<long>(start + length));
}

void CDateTimeCtrl::OnKeyDown(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_UP && key != WXK_DOWN && key != WXK_NUMPAD_UP && key != WXK_NUMPAD_DOWN) {
        event.Skip();
        return;
    }
    long start = 0, end = 0;
    GetSelection(&start, &end);
    StepField(Model.FieldAt(static_cast<size_t>(start)), key == WXK_UP || key == WXK_NUMPAD_UP ? +1 : -1);
}

void CDateTimeCtrl::OnChar(wxKeyEvent& event) {
    // Digits and the separators; editing and moving keys pass, other characters are dropped.
    const int ch = event.GetUnicodeKey();
    if (ch == WXK_NONE || ch < ' ' || ch == WXK_DELETE || event.ControlDown() ||
        (ch >= '0' && ch <= '9') || ch == ':' || ch == '-' || ch == '/' || ch == '.' || ch == ' ')
        event.Skip();
}

void CDateTimeCtrl::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER && key != WXK_ESCAPE) {
        event.Skip();
        return;
    }
    // Enter takes the typed value, Esc the last good one; the page sees neither key.
    if (key == WXK_ESCAPE)
        Show();
    else
        TakeTyped();
    SetInsertionPointEnd();
}

void CDateTimeCtrl::OnKillFocus(wxFocusEvent& event) {
    TakeTyped();
    event.Skip();
}

void CDateTimeCtrl::OnWheel(wxMouseEvent& event) {
    if (event.HasAnyModifiers() || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    long at = 0;
    if (HitTest(event.GetPosition(), &at) == wxTE_HT_UNKNOWN) {
        long end = 0;
        GetSelection(&at, &end);
    }
    const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    WheelRotation += event.GetWheelRotation();
    const int field = Model.FieldAt(static_cast<size_t>(at));
    for (; WheelRotation >= delta; WheelRotation -= delta) StepField(field, +1);
    for (; WheelRotation <= -delta; WheelRotation += delta) StepField(field, -1);
}

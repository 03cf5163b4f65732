#include "controls/NumericEdit.h"

#include "controls/oBitmapSlider.h"
#include "platform/ui/KeyReleaseFilter.h"
#include "platform/ui/Messages.h"
#include "platform/ui/UserMessages.h"

NumericEditBase::NumericEditBase(wxWindow* parent, int id, const wxRect& rect, NumericEditModel::Kind kind)
    : SkinEdit(parent, id, rect, wxTE_RIGHT), Model(kind) {
    Bind(wxEVT_CHAR, &NumericEditBase::OnChar, this);
    Bind(wxEVT_KEY_DOWN, &NumericEditBase::OnKeyDown, this);
    Bind(wxEVT_CHAR_HOOK, &NumericEditBase::OnCharHook, this);
    Bind(wxEVT_TEXT, &NumericEditBase::OnText, this);
    Bind(wxEVT_KILL_FOCUS, &NumericEditBase::OnKillFocus, this);
    Bind(wxEVT_SET_FOCUS, [this](wxFocusEvent& event) {
        Model.OnFocusGained();
        event.Skip();
    });
    if (kind == NumericEditModel::Kind::Plain)
        Bind(wxEVT_MOUSEWHEEL, &NumericEditBase::OnWheel, this);
    ShowModel();
}

void NumericEditBase::SetRange(bool enabled, float a, float b, const char* format, float initial) {
    Model.SetRange(enabled, a, b, format ? format : "%d", initial);
    SetMaxLength(static_cast<unsigned long>(Model.MaxChars()));
    ShowModel();
    Enable(enabled);
    OnRangeChanged();
}

void NumericEditBase::SetValue(float value) {
    Model.SetValue(value);
    ShowModel();
}

void NumericEditBase::ShowModel() {
    const wxString text = wxString::FromUTF8(Model.Text());
    if (GetValue() != text) {
        // A focused edit whose whole text was picked keeps it picked: the key the operator
        // presses next replaces the new value as it would have replaced the old one.
        long from = 0, to = 0;
        GetSelection(&from, &to);
        const bool whole = HasFocus() && from == 0 && to > 0 && to == GetLastPosition();
        ChangeValue(text);   // not an edit by the operator: no text event
        if (whole)
            SelectAll();
        else
            SetInsertionPointEnd();
    }
    FollowSlider();
}

void NumericEditBase::Commit() {
    ShowModel();
    NotifyPage();
}

void NumericEditBase::NotifyPage() {
    ++QueuedCommits;
    CallAfter([this] {
        if (QueuedCommits > 0) {
            --QueuedCommits;
            SendMsg(GetParent(), MEditValueChanged, static_cast<WPARAM>(ControlId), 0);
        }
    });
}

void NumericEditBase::DeliverQueuedCommits() {
    // The queued calls find nothing left to deliver when their turn comes.
    for (; QueuedCommits > 0; --QueuedCommits)
        SendMsg(GetParent(), MEditValueChanged, static_cast<WPARAM>(ControlId), 0);
}

void NumericEditBase::CommitBeforeAction() {
    if (HasFocus() && Model.OnActionWhileFocused())
        Commit();
    DeliverQueuedCommits();
}

void NumericEditBase::OnChar(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key == WXK_BACK || key == WXK_DELETE || key == WXK_LEFT || key == WXK_RIGHT || key == WXK_HOME ||
        key == WXK_END || key == WXK_TAB || event.ControlDown()) {
        if (key == WXK_BACK)
            Model.AcceptChar('\b', 0, 0);
        event.Skip();
        return;
    }
    const int ch = event.GetUnicodeKey();
    // S held with a digit saves a preset: the digit names the slot and is not typed.
    if (ch >= '0' && ch <= '9' && KeyReleaseFilter::IsKeyHeld('S'))
        return;
    long start = 0, end = 0;
    GetSelection(&start, &end);
    if (ch > 0 && ch < 128 && Model.AcceptChar(static_cast<char>(ch), static_cast<int>(start), static_cast<int>(end)))
        event.Skip();
}

void NumericEditBase::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_DELETE)
        Model.OnDeleteKey();
    event.Skip();
}

void NumericEditBase::OnCharHook(wxKeyEvent& event) {
    const int key = event.GetKeyCode();
    if (key != WXK_RETURN && key != WXK_NUMPAD_ENTER && key != WXK_ESCAPE) {
        event.Skip();
        return;
    }
    // Eaten either way: the page must not see it.
    if (Model.OnEnter())
        Commit();
    SetSelection(GetLastPosition(), GetLastPosition());
    ShowPosition(GetLastPosition());
}

void NumericEditBase::OnText(wxCommandEvent& event) {
    if (Model.OnTextChanged(GetValue().utf8_string()))
        FollowSlider();
    event.Skip();
}

void NumericEditBase::OnKillFocus(wxFocusEvent& event) {
    if (Model.OnFocusLost())
        Commit();
    event.Skip();
}

void NumericEditBase::OnWheel(wxMouseEvent& event) {
    // One step per full wheel notch; fine-grained wheels add up to a notch first. With a key
    // held the wheel is not ours.
    if (event.HasAnyModifiers() || event.GetWheelAxis() != wxMOUSE_WHEEL_VERTICAL) {
        event.Skip();
        return;
    }
    const int delta = event.GetWheelDelta() > 0 ? event.GetWheelDelta() : 120;
    WheelRotation += event.GetWheelRotation();
    while (WheelRotation >= delta) {
        WheelRotation -= delta;
        Model.OnWheelNotch(+1);
    }
    while (WheelRotation <= -delta) {
        WheelRotation += delta;
        Model.OnWheelNotch(-1);
    }
    ShowModel();
}

// ---- oSliderEdit

oSliderEdit::~oSliderEdit() {
    if (Slider)
        Slider->SetBuddy(nullptr);
}

void oSliderEdit::OnRangeChanged() {
    if (Slider)
        AttachSlider(Slider);
}

void oSliderEdit::AttachSlider(oBitmapSlider* slider) {
    if (!slider)
        return;
    Slider = slider;
    slider->SetBuddy(this);
    const NumericEditModel::SliderLink link = Model.LinkSlider();
    slider->SetRange(link.Min, link.Max);
    slider->SetPageSize(link.Page);
    slider->SetPos(link.Pos);
    slider->Enable(Model.Enabled());
    slider->Refresh();
}

void oSliderEdit::FollowSlider() {
    if (Slider)
        Slider->SetPos(Model.SliderPosition());
}

void oSliderEdit::OnSliderMoved(int position, bool final) {
    const bool notify = Model.OnSliderMoved(position, final);
    const wxString text = wxString::FromUTF8(Model.Text());
    ChangeValue(text);
    SetInsertionPointEnd();
    if (notify)
        NotifyPage();
}

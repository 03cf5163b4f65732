#pragma once
// The date or time picker of the dark skin: an edit showing "2026-08-09" or "18:05:00". The
// operator types the date or time, or steps the field under the caret (or under the pointer)
// with the Up and Down keys or the wheel. The page reads the value when it needs it; the picker
// notifies nothing.
#include "controls/SkinEdit.h"
#include "controls/logic/DateTimeFields.h"

class CDateTimeCtrl : public SkinEdit {
public:
    CDateTimeCtrl(wxWindow* parent, int id, const wxRect& rect, DateTimeFields::Kind kind);

    // Year, month, day or hour, minute, second; each held in its range.
    void SetFields(int first, int second, int third);
    // The value shown, after taking what the operator typed (a text that is no date or time
    // gives way to the last good value).
    const std::array<int, 3>& Fields();

private:
    void TakeTyped();
    void Show();
    void StepField(int field, int delta);
    void OnKeyDown(wxKeyEvent& event);
    void OnChar(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnWheel(wxMouseEvent& event);

    DateTimeFields Model;
    int WheelRotation = 0;
};

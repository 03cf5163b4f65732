#pragma once
// The numeric edits: oRealEdit (a number with a range and a format) and oSliderEdit (the same,
// linked both ways to an oBitmapSlider). Both filter the keys typed, clamp to the range, and
// post MEditValueChanged (control id, 0) to their parent only when a value is committed: Enter,
// Esc or focus loss after an edit, or a committed slider move.
#include "controls/SkinEdit.h"
#include "controls/logic/NumericEditModel.h"

class oBitmapSlider;

class NumericEditBase : public SkinEdit {
public:
    void SetRange(bool enabled, float a, float b, const char* format, float initial);
    using wxTextCtrl::SetValue;
    // The number shown (clamped); posts nothing.
    void SetValue(float value);
    // The committed (or, while typing, the current clamped) number.
    float Value() const { return Model.Value(); }
    const NumericEditModel& State() const { return Model; }
    // Before an action acts on the edits (a button of the page, a shortcut of the program): the
    // typing of a focused edit is committed as a focus loss would commit it, and every commit
    // still on its way reaches the page now, so the action reads what the page's checks made of
    // it. A click whose press and release arrive together is otherwise handled before the commit
    // its press caused; a shortcut, before the commit that its box's taking the focus causes.
    void CommitBeforeAction();

protected:
    NumericEditBase(wxWindow* parent, int id, const wxRect& rect, NumericEditModel::Kind kind);
    // The model's text is shown (without counting as typing) and the slider follows.
    void ShowModel();
    void Commit();
    // Tells the page (MEditValueChanged) from the edit's own queue, once per commit.
    void NotifyPage();
    void DeliverQueuedCommits();
    virtual void FollowSlider() {}
    // The range changed: a linked slider takes the new range.
    virtual void OnRangeChanged() {}

    NumericEditModel Model;

private:
    void OnChar(wxKeyEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void OnCharHook(wxKeyEvent& event);
    void OnText(wxCommandEvent& event);
    void OnKillFocus(wxFocusEvent& event);
    void OnWheel(wxMouseEvent& event);

    int WheelRotation = 0;
    int QueuedCommits = 0;
};

class oRealEdit : public NumericEditBase {
public:
    oRealEdit(wxWindow* parent, int id, const wxRect& rect)
        : NumericEditBase(parent, id, rect, NumericEditModel::Kind::Plain) {}
};

class oSliderEdit : public NumericEditBase {
public:
    oSliderEdit(wxWindow* parent, int id, const wxRect& rect)
        : NumericEditBase(parent, id, rect, NumericEditModel::Kind::Slider) {}
    ~oSliderEdit() override;

    void AttachSlider(oBitmapSlider* slider);
    void DetachSlider() { Slider = nullptr; }
    oBitmapSlider* GetSlider() const { return Slider; }
    // The slider moved; `final` commits (and notifies the page).
    void OnSliderMoved(int position, bool final);

private:
    void FollowSlider() override;
    void OnRangeChanged() override;
    oBitmapSlider* Slider = nullptr;
};

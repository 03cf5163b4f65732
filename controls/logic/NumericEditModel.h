#pragma once
// What a numeric edit knows, apart from its window: range, format, the text it shows, which
// keys it accepts, and when a value is committed to the page (MEditValueChanged).
//   Plain edits commit on Enter/Esc or focus loss once the operator has edited them.
//   Slider edits commit on Enter/Esc or focus loss unless the last check already committed,
//   and on every committed slider move.
// While the operator types in it (it has the focus and text typed since its last commit), a
// value the page shows from the device leaves the typed text alone: what is committed is what
// was typed.
#include <string>

#include "controls/logic/NumberFormat.h"

enum AllowedCharBits : unsigned { AllowDigits = 1, AllowMinus = 2, AllowPoint = 4 };

class NumericEditModel {
public:
    enum class Kind { Plain, Slider };

    explicit NumericEditModel(Kind kind);

    // Range (in either order), format, initial value. Does not notify.
    void SetRange(bool enabled, float a, float b, const std::string& format, float initial);
    // Shows the value (clamped), unless the operator is typing here. Does not notify.
    void SetValue(float value);

    // Keys. `start`/`end` are the edit's selection in the current text.
    bool AcceptChar(char ch, int start, int end);   // false: the key is dropped
    bool IsCharAllowed(char ch, int start, int end) const;
    void OnDeleteKey() { UserTyped = true; }
    // The window's text changed (typing or paste); returns true when the slider should follow.
    bool OnTextChanged(const std::string& text);
    // Enter or Esc; true: notify the page.
    bool OnEnter();
    void OnFocusGained() { HasFocusFlag = true; }
    // Focus loss; true: notify the page.
    bool OnFocusLost();
    // An action (a page button, a shortcut) is about to act while the edit has the focus: the
    // focus loss commits now; true: notify the page. The focus loss that the action then brings
    // (its box takes the keyboard) commits nothing more unless the operator edits meanwhile.
    bool OnActionWhileFocused();
    // One wheel notch (+1 forward, -1 back): the integer part steps by one; never notifies.
    void OnWheelNotch(int direction);
    // The linked slider moved to `position`; true: notify the page (`final`).
    bool OnSliderMoved(int position, bool final);

    // The slider linked to a slider edit: its range, page and position in slider units.
    struct SliderLink { int Min, Max, Page, Pos; };
    SliderLink LinkSlider() const;
    int SliderPosition() const;

    const std::string& Text() const { return ShownText; }
    float Value() const { return CurrentValue; }
    float Min() const { return MinValue; }
    float Max() const { return MaxValue; }
    float Scale() const { return SliderScale; }
    int MaxChars() const { return MaxCharCount; }
    unsigned AllowedChars() const { return Allowed; }
    bool Enabled() const { return IsEnabled; }
    bool NeverEdited() const { return NeverEditedFlag; }
    bool Committed() const { return CommittedFlag; }
    // The operator is typing here: the edit has the focus and text typed since its last commit.
    bool Typing() const { return HasFocusFlag && TypedFlag; }

private:
    // Reads the text into the value (clamped); rewrites the text when needed; true on commit.
    bool CheckValue(bool commit, bool fromTyping = false);
    std::string Formatted(float value) const;
    // SetValue whatever the operator is doing.
    void ShowValue(float value);
    bool PointAllowed() const { return (Allowed & AllowPoint) != 0; }

    Kind EditKind;
    NumberFormat Format;
    std::string ShownText;
    float CurrentValue = 0, MinValue = 0, MaxValue;
    float SliderScale = 1;
    bool IsEnabled = true;
    bool NeverEditedFlag = true;
    bool UserTyped = false;
    bool CommittedFlag = false;
    bool FocusLossCommitted = false;
    bool HasFocusFlag = false;
    bool TypedFlag = false;   // text typed (or a wheel step) since the last commit
    unsigned Allowed = AllowDigits;
    int MaxCharCount = 4;
};

#include "controls/logic/NumericEditModel.h"

#include <algorithm>
#include <cmath>

NumericEditModel::NumericEditModel(Kind kind)
    : EditKind(kind), Format(ParseNumberFormat("%d")), MaxValue(kind == Kind::Plain ? 100000.0f : 9999.0f) {
    ShownText = Formatted(0);
}

static int IntegerDigits(float value) {
    long long whole = static_cast<long long>(std::fabs(std::trunc(value)));
    int digits = 1;
    while (whole >= 10) {
        whole /= 10;
        ++digits;
    }
    return digits;
}

void NumericEditModel::SetRange(bool enabled, float a, float b, const std::string& format, float initial) {
    Format = ParseNumberFormat(format);
    MinValue = std::min(a, b);
    MaxValue = std::max(a, b);
    Allowed = AllowDigits;
    // The minimum's digits count too, so that a range like -1000..10 can be typed whole.
    MaxCharCount = std::max(IntegerDigits(MaxValue), MinValue < 0 ? IntegerDigits(MinValue) : 1);
    if (MinValue < 0) {
        Allowed |= AllowMinus;
        MaxCharCount += 1;
    }
    if (format.find('.') != std::string::npos) {
        Allowed |= AllowPoint;
        MaxCharCount += 3;
    }
    SliderScale = PointAllowed() ? 100.0f : 1.0f;
    TypedFlag = false;
    ShowValue(initial);
    IsEnabled = enabled;
}

std::string NumericEditModel::Formatted(float value) const {
    return FormatNumber(Format, PointAllowed() ? static_cast<double>(value) : std::trunc(static_cast<double>(value)));
}

void NumericEditModel::SetValue(float value) {
    // The device's value reaches the page again once the typing is committed.
    if (!Typing())
        ShowValue(value);
}

void NumericEditModel::ShowValue(float value) {
    ShownText = Formatted(value);
    CheckValue(false);
}

bool NumericEditModel::CheckValue(bool commit, bool fromTyping) {
    double parsed = ParseLeadingNumber(ShownText);
    // A field without a point holds whole numbers only, whatever was pasted into it.
    if (!PointAllowed())
        parsed = std::trunc(parsed);
    const float clamped = std::clamp(static_cast<float>(parsed), MinValue, MaxValue);
    const bool changed = static_cast<double>(clamped) != parsed;
    CurrentValue = clamped;
    // While the operator types, a partial number may be out of range on its way to a valid
    // one; the text is corrected when the value is committed.
    if (commit || (changed && !fromTyping))
        ShownText = Formatted(CurrentValue);
    if (EditKind == Kind::Slider)
        CommittedFlag = commit;
    if (commit)
        TypedFlag = false;
    return commit;
}

bool NumericEditModel::IsCharAllowed(char ch, int start, int end) const {
    const std::string& text = ShownText;
    const auto minusAt = text.find('-');
    const bool minus = minusAt != std::string::npos;
    const int length = static_cast<int>(text.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    if (ch == '-')
        // One sign, in front: a second one only by replacing the first.
        return start == 0 && (!minus || end > static_cast<int>(minusAt));
    if (ch == '.') {
        const int n = minus ? 2 : 1;
        const auto pointAt = text.find('.');
        if (pointAt == std::string::npos)
            return start >= n && start <= MaxCharCount - 2;
        const int p = static_cast<int>(pointAt);
        return start >= n && start <= p && end > p;
    }
    if (ch >= '1' && ch <= '9')
        return !(minus && end == 0);
    if (ch == '0') {
        if (minus) {
            if (length > 1 && text[1] == '0')
                return (start <= 1 && end > 1) || start > 2;
            return end >= 1;
        }
        if (!text.empty() && text[0] == '0')
            return start >= 2 || (start == 0 && end > 0);
        return true;
    }
    return false;
}

bool NumericEditModel::AcceptChar(char ch, int start, int end) {
    if (ch == '\b') {
        UserTyped = true;
        return true;
    }
    unsigned bit = 0;
    if (ch >= '0' && ch <= '9')
        bit = AllowDigits;
    else if (ch == '-')
        bit = AllowMinus;
    else if (ch == '.')
        bit = AllowPoint;
    if (bit == 0 || !(Allowed & bit) || !IsCharAllowed(ch, start, end))
        return false;
    UserTyped = true;
    return true;
}

bool NumericEditModel::OnTextChanged(const std::string& text) {
    ShownText = text;
    if (!UserTyped)
        return false;
    UserTyped = false;
    NeverEditedFlag = false;
    FocusLossCommitted = false;
    TypedFlag = true;
    if (EditKind == Kind::Slider) {
        CheckValue(false, true);
        return true;
    }
    return false;
}

bool NumericEditModel::OnEnter() {
    if (EditKind == Kind::Plain ? NeverEditedFlag : CommittedFlag)
        return false;
    return CheckValue(true);
}

bool NumericEditModel::OnFocusLost() {
    HasFocusFlag = false;
    if (FocusLossCommitted) {
        FocusLossCommitted = false;
        return false;
    }
    return OnEnter();
}

bool NumericEditModel::OnActionWhileFocused() {
    // The box may take the focus only after the device has answered the action and the page has
    // shown that answer here (a preset's input, say): nothing of the operator's is left to send.
    FocusLossCommitted = true;
    return OnEnter();
}

void NumericEditModel::OnWheelNotch(int direction) {
    if (direction == 0)
        return;
    ShowValue(std::trunc(CurrentValue) + (direction > 0 ? 1.0f : -1.0f));
    // The shown value differs from what the page has; the next Enter or focus loss sends it.
    NeverEditedFlag = false;
    CommittedFlag = false;
    FocusLossCommitted = false;
    TypedFlag = true;
}

static int ToSliderUnits(float value, float scale) {
    // Rounded: 0.29 x 100 must be 29, not 28.
    return static_cast<int>(std::lround(static_cast<double>(value) * scale));
}

NumericEditModel::SliderLink NumericEditModel::LinkSlider() const {
    SliderLink link{};
    const int a = ToSliderUnits(MinValue, SliderScale), b = ToSliderUnits(MaxValue, SliderScale);
    link.Min = std::min(a, b);
    link.Max = std::max(a, b);
    link.Page = (link.Max - link.Min) / 2;
    link.Pos = SliderPosition();
    return link;
}

int NumericEditModel::SliderPosition() const {
    const int a = ToSliderUnits(MinValue, SliderScale), b = ToSliderUnits(MaxValue, SliderScale);
    return std::clamp(ToSliderUnits(CurrentValue, SliderScale), std::min(a, b), std::max(a, b));
}

bool NumericEditModel::OnSliderMoved(int position, bool final) {
    CurrentValue = std::clamp(static_cast<float>(position) / SliderScale, MinValue, MaxValue);
    ShownText = Formatted(CurrentValue);
    NeverEditedFlag = false;
    CommittedFlag = final;
    TypedFlag = false;
    return final;
}

#pragma once
// Which picture an image button shows, and how clicks change its checked state.
enum class ButtonPicture { StdNormal, StdPressed, StdHover, StdDisabled, AltNormal, AltPressed, AltHover };

struct ButtonStateModel {
    bool HasAltImage = false;
    bool Disabled = false;      // the disabled look, set by the owner
    bool FlipOnPress = false;   // while pressed, the other set shows
    bool Hover = false;
    bool Checked = false;
    bool CheckOnClick = false;  // a click sets Checked
    bool ToggleOnClick = false; // a click flips Checked
    bool ShowAlt = false;       // the set chosen at the last draw

    // A delivered click (a double click counts as a second one). The state changes here, when
    // the click reaches the page, not at mouse-down: a press released outside changes nothing.
    void OnClick();
    // The picture to draw now; a button without an alternate image always shows the standard set.
    ButtonPicture Choose(bool pressed);
};

#include "controls/logic/ButtonStateModel.h"

void ButtonStateModel::OnClick() {
    if (ToggleOnClick)
        Checked = !Checked;
    if (CheckOnClick)
        Checked = true;
}

ButtonPicture ButtonStateModel::Choose(bool pressed) {
    if (Disabled)
        return ButtonPicture::StdDisabled;
    if (!pressed && (ToggleOnClick || CheckOnClick))
        ShowAlt = Checked;
    // Flipping while pressed is worked out per draw, so repeated paints during one press agree.
    const bool alt = (ShowAlt != (FlipOnPress && pressed)) && HasAltImage;
    if (pressed)
        return alt ? ButtonPicture::AltPressed : ButtonPicture::StdPressed;
    if (Hover)
        return alt ? ButtonPicture::AltHover : ButtonPicture::StdHover;
    return alt ? ButtonPicture::AltNormal : ButtonPicture::StdNormal;
}

#pragma once
// The picture button behind every push button, toggle and tab: its faces come from PNG
// resources (a standard image and, for two-state buttons, an alternate one), drawn over the
// skin behind it, with hover (brightened), pressed and disabled (grey) pictures made once per
// size. Its caption is drawn over the picture. A click reaches the page as wxEVT_BUTTON with
// the button's id.
#include <map>
#include <memory>

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/image.h>

#include "controls/logic/ButtonStateModel.h"
#include "platform/ui/ColourRef.h"
#include "platform/ui/ControlIds.h"

// A picture read from a PNG resource.
class CGdiPlusBitmapResource {
public:
    bool Load(int id);   // false (and empty) when the program carries no such PNG
    bool IsOk() const { return Picture.IsOk(); }
    const wxImage& Image() const { return Picture; }

private:
    wxImage Picture;
};

class CGdipButton : public wxControl, public ControlIdentity {
public:
    CGdipButton() : ControlIdentity(0) {}
    CGdipButton(wxWindow* parent, int id, const wxString& caption, const wxRect& rect) : ControlIdentity(id) {
        Create(parent, id, caption, rect);
    }
    bool Create(wxWindow* parent, int id, const wxString& caption, const wxRect& rect);

    bool LoadStdImage(int id);
    bool LoadAltImage(int id);
    // Keeps the top-left corner and takes the standard image's size.
    void SizeToImage();
    void SetToolTipText(const wxString& text, bool activate = true);

    void SetChecked(bool checked);
    bool IsChecked() const { return State.Checked; }
    void SetToggle(bool toggle) { State.ToggleOnClick = toggle; }
    void SetCheckOnClick(bool check) { State.CheckOnClick = check; }
    void SetFlipOnPress(bool flip) { State.FlipOnPress = flip; }
    // The disabled look (grey picture, embossed caption); the window itself stays as it is.
    void SetDisabledLook(bool disabled);
    bool HasDisabledLook() const { return State.Disabled; }
    void SetTextColour(COLORREF colour);
    COLORREF GetTextColour() const { return TextColour; }
    void SetCaptionPlacement(int placement) { CaptionPlacement = placement; Refresh(); }
    void SetLabel(const wxString& label) override;
    bool Enable(bool enable = true) override;

    // The caption turned 90 degrees clockwise, reading downwards, centred (tall narrow buttons).
    bool IsVerticalCaption() const { return VerticalCaption; }
    void SetVerticalCaption(bool vertical) {
        VerticalCaption = vertical;
        Refresh();
    }
    // The picture the last paint chose (for checks).
    ButtonPicture ShownPicture() const { return LastPicture; }
    // A click as the mouse or the keyboard delivers it.
    void Click();

protected:
    wxSize DoGetBestSize() const override;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnEnter(wxMouseEvent& event);
    void OnLeave(wxMouseEvent& event);
    void OnCaptureLost(wxMouseCaptureLostEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    const wxBitmap& Picture(ButtonPicture which);
    void DrawCaption(wxDC& dc, const wxRect& rect, bool pressed);

    ButtonStateModel State;
    CGdiPlusBitmapResource StdImage, AltImage;
    std::map<ButtonPicture, wxBitmap> Pictures;   // made for PictureSize
    wxSize PictureSize;
    bool Pressed = false;
    COLORREF TextColour = 0x141414;
    int CaptionPlacement = 1;   // 0 top, 1 centre, 2 bottom
    bool VerticalCaption = false;
    ButtonPicture LastPicture = ButtonPicture::StdNormal;
};

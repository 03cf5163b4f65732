#include "controls/CGdipButton.h"

#include <wx/dcbuffer.h>
#include <wx/tooltip.h>

#include "controls/CMemuDC.h"
#include "controls/DrawingAids.h"
#include "controls/SkinBackdrop.h"
#include "controls/logic/KitPalette.h"
#include "platform/ui/WxColour.h"

bool CGdiPlusBitmapResource::Load(int id) { return LoadPngResource(id, Picture); }

bool CGdipButton::Create(wxWindow* parent, int id, const wxString& caption, const wxRect& rect) {
    ControlId = id;
    if (!wxControl::Create(parent, WindowIdFor(id), rect.GetPosition(), rect.GetSize(), wxBORDER_NONE))
        return false;
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    wxControl::SetLabel(caption);
    Bind(wxEVT_PAINT, &CGdipButton::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &CGdipButton::OnLeftDown, this);
    // A double click counts as a second click.
    Bind(wxEVT_LEFT_DCLICK, &CGdipButton::OnLeftDown, this);
    Bind(wxEVT_LEFT_UP, &CGdipButton::OnLeftUp, this);
    Bind(wxEVT_ENTER_WINDOW, &CGdipButton::OnEnter, this);
    Bind(wxEVT_LEAVE_WINDOW, &CGdipButton::OnLeave, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, &CGdipButton::OnCaptureLost, this);
    Bind(wxEVT_KEY_DOWN, &CGdipButton::OnKeyDown, this);
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) { Refresh(); e.Skip(); });
    return true;
}

bool CGdipButton::LoadStdImage(int id) {
    Pictures.clear();
    const bool ok = StdImage.Load(id);
    Refresh();
    return ok;
}

bool CGdipButton::LoadAltImage(int id) {
    State.HasAltImage = true;
    Pictures.clear();
    const bool ok = AltImage.Load(id);
    State.HasAltImage = ok;
    Refresh();
    return ok;
}

void CGdipButton::SizeToImage() {
    if (StdImage.IsOk())
        SetSize(StdImage.Image().GetWidth(), StdImage.Image().GetHeight());
}

wxSize CGdipButton::DoGetBestSize() const {
    return StdImage.IsOk() ? StdImage.Image().GetSize() : wxSize(24, 24);
}

void CGdipButton::SetToolTipText(const wxString& text, bool activate) {
    if (text.empty())
        return;
    wxToolTip::SetDelay(500);
    SetToolTip(text);
    if (GetToolTip())
        GetToolTip()->Enable(activate);
}

void CGdipButton::SetChecked(bool checked) {
    State.Checked = checked;
    Refresh();
}

void CGdipButton::SetDisabledLook(bool disabled) {
    State.Disabled = disabled;
    Refresh();
}

void CGdipButton::SetTextColour(COLORREF colour) {
    TextColour = colour;
    Refresh();
}

void CGdipButton::SetLabel(const wxString& label) {
    wxControl::SetLabel(label);
    Refresh();
}

bool CGdipButton::Enable(bool enable) {
    const bool changed = wxControl::Enable(enable);
    if (!enable) {
        Pressed = false;
        State.Hover = false;
    }
    Refresh();
    return changed;
}

void CGdipButton::Click() {
    State.OnClick();
    Refresh();
    wxCommandEvent event(wxEVT_BUTTON, ControlId);
    event.SetEventObject(this);
    ProcessWindowEvent(event);
}

void CGdipButton::OnLeftDown(wxMouseEvent&) {
    if (!IsEnabled())
        return;
    Pressed = true;
    if (!HasCapture())
        CaptureMouse();
    SetFocus();
    Refresh();
}

void CGdipButton::OnLeftUp(wxMouseEvent& event) {
    const bool wasPressed = Pressed;
    Pressed = false;
    if (HasCapture())
        ReleaseMouse();
    Refresh();
    // Only a release over the button is a click; a press dragged away changes nothing.
    if (wasPressed && wxRect(GetClientSize()).Contains(event.GetPosition()))
        Click();
}

void CGdipButton::OnEnter(wxMouseEvent&) {
    State.Hover = true;
    Refresh();
}

void CGdipButton::OnLeave(wxMouseEvent&) {
    State.Hover = false;
    Refresh();
}

void CGdipButton::OnCaptureLost(wxMouseCaptureLostEvent&) {
    Pressed = false;
    Refresh();
}

void CGdipButton::OnKeyDown(wxKeyEvent& event) {
    if (event.GetKeyCode() == WXK_SPACE && IsEnabled())
        Click();
    else
        event.Skip();
}

const wxBitmap& CGdipButton::Picture(ButtonPicture which) {
    const wxSize size = GetClientSize();
    if (size != PictureSize) {
        // Pictures are made for one size; a resized button makes them again.
        Pictures.clear();
        PictureSize = size;
    }
    auto found = Pictures.find(which);
    if (found != Pictures.end())
        return found->second;
    const bool alt = which == ButtonPicture::AltNormal || which == ButtonPicture::AltPressed ||
                     which == ButtonPicture::AltHover;
    const wxImage& source = (alt && AltImage.IsOk()) ? AltImage.Image() : StdImage.Image();
    wxImage scaled = source.IsOk() && size.x > 0 && size.y > 0
                         ? source.Scale(size.x, size.y, wxIMAGE_QUALITY_BILINEAR)
                         : wxImage();
    if (scaled.IsOk()) {
        if (which == ButtonPicture::StdHover || which == ButtonPicture::AltHover)
            scaled = ApplyColourMatrixToImage(scaled, BrightenMatrix());
        else if (which == ButtonPicture::StdDisabled)
            scaled = ApplyColourMatrixToImage(scaled, GreyMatrix());
    }
    return Pictures[which] = scaled.IsOk() ? wxBitmap(scaled) : wxBitmap();
}

void CGdipButton::OnPaint(wxPaintEvent&) {
    wxPaintDC paint(this);
    const wxRect client(GetClientSize());
    CMemuDC dc(paint, client);
    PaintParentBackdrop(this, dc);
    // A window that is disabled shows the disabled look as well, so it never looks clickable.
    const bool savedDisabled = State.Disabled;
    State.Disabled = State.Disabled || !IsEnabled();
    const bool pressed = Pressed && State.Hover;
    LastPicture = State.Choose(pressed);
    State.Disabled = savedDisabled;
    const wxBitmap& picture = Picture(LastPicture);
    if (picture.IsOk()) {
        const bool offset = LastPicture == ButtonPicture::StdPressed || LastPicture == ButtonPicture::AltPressed;
        dc.DrawBitmap(picture, offset ? 1 : 0, offset ? 1 : 0, true);
    }
    if (!GetLabel().empty())
        DrawCaption(dc, client, pressed);
}

void CGdipButton::DrawCaption(wxDC& dc, const wxRect& rect, bool pressed) {
    dc.SetFont(GetFont());
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    wxRect text = rect;
    if (!pressed)
        text.Offset(-1, -1);
    if (VerticalCaption) {
        wxCoord w = 0, h = 0;
        dc.GetTextExtent(GetLabel(), &w, &h);
        const bool grey = State.Disabled || !IsEnabled();
        dc.SetTextForeground(ColourFromRef(grey ? KitPalette::SystemShadow : TextColour));
        // Turned clockwise about its start, the text runs down and lies left of that point.
        dc.DrawRotatedText(GetLabel(), text.x + (text.width + h) / 2, text.y + (text.height - w) / 2, -90);
        return;
    }
    // Word-wrapped to the button's width, centred, placed at the top, middle or bottom.
    const wxString wrapped = WrapText(dc, GetLabel(), rect.width);
    wxCoord w = 0, h = 0;
    dc.GetMultiLineTextExtent(wrapped, &w, &h);
    int y = text.y + (text.height - h) / 2;
    if (CaptionPlacement == 0)
        y = text.y + 2;
    else if (CaptionPlacement == 2)
        y = text.GetBottom() - 2 - h;
    const wxRect place(text.x, y, text.width, h);
    if (State.Disabled || !IsEnabled()) {
        dc.SetTextForeground(ColourFromRef(KitPalette::EmbossShadow));
        wxRect shadow = place;
        shadow.Offset(1, 1);
        dc.DrawLabel(wrapped, shadow, wxALIGN_CENTER_HORIZONTAL | wxALIGN_TOP);
        dc.SetTextForeground(ColourFromRef(KitPalette::SystemShadow));
    } else {
        dc.SetTextForeground(ColourFromRef(TextColour));
    }
    dc.DrawLabel(wrapped, place, wxALIGN_CENTER_HORIZONTAL | wxALIGN_TOP);
}

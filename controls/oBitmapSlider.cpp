#include "controls/oBitmapSlider.h"

#include <wx/dcclient.h>

#include "controls/CMemuDC.h"
#include "controls/DrawingAids.h"
#include "controls/NumericEdit.h"
#include "controls/SkinBackdrop.h"
#include "platform/ui/ResourceImages.h"

oBitmapSlider::oBitmapSlider(wxWindow* parent, int id, const wxRect& rect)
    : wxControl(parent, WindowIdFor(id), rect.GetPosition(), rect.GetSize(), wxBORDER_NONE | wxWANTS_CHARS),
      ControlIdentity(id) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &oBitmapSlider::OnPaint, this);
    Bind(wxEVT_LEFT_DOWN, &oBitmapSlider::OnLeftDown, this);
    Bind(wxEVT_MOTION, &oBitmapSlider::OnMotion, this);
    Bind(wxEVT_LEFT_UP, &oBitmapSlider::OnLeftUp, this);
    Bind(wxEVT_KEY_DOWN, &oBitmapSlider::OnKeyDown, this);
    Bind(wxEVT_MOUSE_CAPTURE_LOST, [this](wxMouseCaptureLostEvent&) { Dragging = false; Refresh(); });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) { Refresh(); e.Skip(); });
}

oBitmapSlider::~oBitmapSlider() {
    if (Buddy)
        Buddy->DetachSlider();
}

bool oBitmapSlider::SetBitmapChannel(int channelId, int activeChannelId) {
    LoadPngResource(channelId, Channel);
    LoadPngResource(activeChannelId, ActiveChannel);
    Refresh();
    return Channel.IsOk();
}

bool oBitmapSlider::SetBitmapThumb(int thumbId) {
    LoadPngResource(thumbId, Thumb);
    Refresh();
    return Thumb.IsOk();
}

void oBitmapSlider::SetBackgroundBitmap(int bitmapId) {
    Background = bitmapId ? LoadImageResource(ResourceType::Bitmap, bitmapId) : wxImage();
    Refresh();
}

void oBitmapSlider::SetRange(int min, int max) {
    Min = std::min(min, max);
    Max = std::max(min, max);
    SetPos(Pos);
}

void oBitmapSlider::SetPos(int pos) {
    const int clamped = std::clamp(pos, Min, Max);
    if (clamped != Pos) {
        Pos = clamped;
        Refresh();
    }
}

bool oBitmapSlider::Enable(bool enable) {
    const bool changed = wxControl::Enable(enable);
    Refresh();
    return changed;
}

SliderGeometry oBitmapSlider::Geometry() const {
    SliderGeometry g;
    const wxSize size = GetClientSize();
    g.Width = size.x;
    g.Height = size.y;
    g.ThumbWidth = Thumb.IsOk() ? Thumb.GetWidth() : 10;
    g.ThumbHeight = Thumb.IsOk() ? Thumb.GetHeight() : 16;
    g.MarginLeft = g.MarginRight = 2;
    g.Min = Min;
    g.Max = Max;
    g.Vertical = Vertical;
    return g;
}

void oBitmapSlider::MoveTo(int pos, bool final) {
    SetPos(pos);
    if (Buddy)
        Buddy->OnSliderMoved(Pos, final);
}

void oBitmapSlider::OnLeftDown(wxMouseEvent& event) {
    if (!IsEnabled())
        return;
    SetFocus();
    if (!HasCapture())
        CaptureMouse();
    Dragging = true;
    DragOffsetPixels = DragOffset(Geometry(), Pos, Along(event.GetPosition()));
    OnMotion(event);
    Refresh();
}

void oBitmapSlider::OnMotion(wxMouseEvent& event) {
    if (!Dragging || !IsEnabled())
        return;
    const SliderGeometry g = Geometry();
    const int pixel = ClampThumbPixel(g, Along(event.GetPosition()) - DragOffsetPixels);
    if (pixel != Pos2Pixel(g, Pos)) {
        const int pos = Pixel2Pos(g, pixel);
        if (pos != Pos)
            MoveTo(pos, NotifyWhileDragging);
    }
}

void oBitmapSlider::OnLeftUp(wxMouseEvent&) {
    if (!IsEnabled() || !Dragging)
        return;
    if (HasCapture())
        ReleaseMouse();
    Dragging = false;
    Refresh();
    // The drag steps have notified already (unless they were told not to).
    if (!NotifyWhileDragging && Buddy)
        Buddy->OnSliderMoved(Pos, true);
}

void oBitmapSlider::OnKeyDown(wxKeyEvent& event) {
    if (!IsEnabled()) {
        event.Skip();
        return;
    }
    SliderKey key;
    switch (event.GetKeyCode()) {
    case WXK_PAGEUP: key = SliderKey::PageUp; break;
    case WXK_PAGEDOWN: key = SliderKey::PageDown; break;
    case WXK_HOME: key = SliderKey::Home; break;
    case WXK_END: key = SliderKey::End; break;
    case WXK_LEFT: key = SliderKey::Left; break;
    case WXK_UP: key = SliderKey::Up; break;
    case WXK_RIGHT: key = SliderKey::Right; break;
    case WXK_DOWN: key = SliderKey::Down; break;
    default: event.Skip(); return;
    }
    MoveTo(SliderKeyPosition(key, Pos, Page, Min, Max), true);
}

void oBitmapSlider::OnPaint(wxPaintEvent&) {
    wxPaintDC paint(this);
    const wxRect client(GetClientSize());
    CMemuDC dc(paint, client);
    PaintParentBackdrop(this, dc);
    if (Background.IsOk())
        DrawImageInRect(Background, dc, &client);
    const SliderGeometry g = Geometry();
    const int centre = Pos2Pixel(g, Pos);
    if (Channel.IsOk()) {
        const int h = std::min(Channel.GetHeight(), client.height);
        const wxRect track(0, (client.height - h) / 2, client.width, h);
        DrawImageInRect(Channel, dc, &track);
        if (ActiveChannel.IsOk() && IsEnabled() && centre > 0) {
            // The filled part runs from the start of the track to the thumb's centre.
            dc.SetClippingRegion(wxRect(0, track.y, centre, track.height));
            DrawImageInRect(ActiveChannel, dc, &track);
            dc.DestroyClippingRegion();
        }
    }
    if (Thumb.IsOk()) {
        wxImage thumb = IsEnabled() ? Thumb : ApplyColourMatrixToImage(Thumb, GreyMatrix());
        const int x = Vertical ? (client.width - thumb.GetWidth()) / 2 : centre - thumb.GetWidth() / 2;
        const int y = Vertical ? centre - thumb.GetHeight() / 2 : (client.height - thumb.GetHeight()) / 2;
        dc.DrawBitmap(wxBitmap(thumb), x, y, true);
    }
}

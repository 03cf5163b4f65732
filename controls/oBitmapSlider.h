#pragma once
// The slider drawn from PNG pictures: a channel across the control, the active channel from the
// start up to the thumb, and the thumb. Dragging and keys move it; each move tells the linked
// oSliderEdit (its buddy), which notifies the page. Without a buddy it only moves.
#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/image.h>

#include "controls/logic/SliderMath.h"
#include "platform/ui/ControlIds.h"

class oSliderEdit;

class oBitmapSlider : public wxControl, public ControlIdentity {
public:
    oBitmapSlider(wxWindow* parent, int id, const wxRect& rect);
    ~oBitmapSlider() override;

    bool SetBitmapChannel(int channelId, int activeChannelId);
    bool SetBitmapThumb(int thumbId);
    void SetBackgroundBitmap(int bitmapId);

    void SetRange(int min, int max);
    void SetPageSize(int page) { Page = page; }
    void SetPos(int pos);
    int GetPos() const { return Pos; }
    int GetMin() const { return Geometry().Min; }
    int GetMax() const { return Geometry().Max; }
    int GetPageSize() const { return Page; }
    void SetBuddy(oSliderEdit* buddy) { Buddy = buddy; }
    oSliderEdit* GetBuddy() const { return Buddy; }
    bool Enable(bool enable = true) override;

    // Geometry of the track for the current size and pictures.
    SliderGeometry Geometry() const;

    bool NotifyWhileDragging = true;
    bool Vertical = false;

private:
    void OnPaint(wxPaintEvent& event);
    void OnLeftDown(wxMouseEvent& event);
    void OnMotion(wxMouseEvent& event);
    void OnLeftUp(wxMouseEvent& event);
    void OnKeyDown(wxKeyEvent& event);
    void MoveTo(int pos, bool final);
    int Along(const wxPoint& point) const { return Vertical ? point.y : point.x; }
    bool AcceptsFocus() const override { return IsEnabled(); }

    oSliderEdit* Buddy = nullptr;
    wxImage Channel, ActiveChannel, Thumb, Background;
    int Min = 0, Max = 100, Page = 20, Pos = 0;
    int DragOffsetPixels = 0;
    bool Dragging = false;
};

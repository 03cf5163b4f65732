#pragma once
// A picture control that shows a still picture or animates a GIF. Frames are decoded with wx's
// GIF decoder and composed into a canvas on the UI thread, paced by a one-shot timer per frame;
// no other thread draws, and Stop returns at once.
#include <vector>

#include <wx/bitmap.h>
#include <wx/control.h>
#include <wx/image.h>
#include <wx/timer.h>

#include "controls/logic/GifTiming.h"
#include "platform/ui/ControlIds.h"
#include "platform/ui/Resources.h"

class CPictureEx : public wxControl, public ControlIdentity {
public:
    CPictureEx(wxWindow* parent, int id, const wxRect& rect);
    ~CPictureEx() override;

    // From an embedded resource (GIF by default); false leaves the control empty.
    bool Load(int id, ResourceType type = ResourceType::Gif);
    bool LoadFromMemory(const unsigned char* data, std::size_t size);
    // Shows the picture; a GIF with several frames starts animating (again after Stop).
    bool Draw();
    void Stop();
    void UnLoad();

    bool IsPlaying() const { return Playing; }
    bool IsGif() const { return Gif; }
    int FrameCount() const { return static_cast<int>(Frames.size()); }
    int CurrentFrame() const { return Current; }
    int CurrentDelayMs() const;
    wxSize CanvasSize() const { return Canvas.IsOk() ? Canvas.GetSize() : wxSize(0, 0); }
    // The canvas as it stands (for checks).
    wxImage CanvasImage() const { return Canvas.IsOk() ? Canvas.Copy() : wxImage(); }
    // Shows the next frame now, as the timer does.
    void AdvanceFrame();

private:
    struct Frame {
        wxImage Picture;
        wxPoint Position;
        int DelayHundredths = 0;
        GifDisposal Disposal = GifDisposal::Leave;
    };
    void RenderCurrent();
    void DisposeCurrent();
    void ClearCanvas();
    void OnPaint(wxPaintEvent& event);
    void OnTimer(wxTimerEvent& event);

    std::vector<Frame> Frames;
    wxImage Canvas, Saved;
    wxColour Background;
    int Current = 0;
    bool Gif = false;
    bool Playing = false;
    wxTimer FrameTimer;
};

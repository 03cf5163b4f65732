#include "controls/CPictureEx.h"

#include <wx/dcbuffer.h>
#include <wx/gifdecod.h>
#include <wx/log.h>
#include <wx/mstream.h>

#include "controls/SkinBackdrop.h"
#include "platform/ui/ResourceImages.h"

CPictureEx::CPictureEx(wxWindow* parent, int id, const wxRect& rect)
    : wxControl(parent, WindowIdFor(id), rect.GetPosition(), rect.GetSize(), wxBORDER_NONE), ControlIdentity(id),
      FrameTimer(this) {
    SetBackgroundStyle(wxBG_STYLE_PAINT);
    Bind(wxEVT_PAINT, &CPictureEx::OnPaint, this);
    Bind(wxEVT_TIMER, &CPictureEx::OnTimer, this, FrameTimer.GetId());
    Bind(wxEVT_DESTROY, [this](wxWindowDestroyEvent& e) {
        if (e.GetEventObject() == this)
            Stop();
        e.Skip();
    });
}

CPictureEx::~CPictureEx() { Stop(); }

bool CPictureEx::Load(int id, ResourceType type) {
    auto bytes = FindResourceData(type, id);
    if (bytes.empty()) {
        UnLoad();
        return false;
    }
    return LoadFromMemory(bytes.data(), bytes.size());
}

bool CPictureEx::LoadFromMemory(const unsigned char* data, std::size_t size) {
    UnLoad();
    if (!data || size == 0)
        return false;
    EnsureImageHandlers();
    wxLogNull quiet;
    if (size >= 6 && std::equal(data, data + 3, "GIF")) {
        wxMemoryInputStream stream(data, size);
        wxGIFDecoder decoder;
        // The decoder checks every block against the data, so a damaged file is refused whole.
        if (decoder.LoadGIF(stream) != wxGIF_OK || decoder.GetFrameCount() == 0)
            return false;
        Gif = true;
        const wxSize screen = decoder.GetAnimationSize();
        // The GIF's own background colour, else the colour of the window the control sits on.
        Background = decoder.GetBackgroundColour();
        if (!Background.IsOk())
            Background = GetParent() ? GetParent()->GetBackgroundColour() : *wxBLACK;
        for (unsigned i = 0; i < decoder.GetFrameCount(); ++i) {
            Frame frame;
            if (!decoder.ConvertToImage(i, &frame.Picture))
                continue;
            frame.Position = decoder.GetFramePosition(i);
            const long ms = decoder.GetDelay(i);
            frame.DelayHundredths = ms > 0 ? static_cast<int>(ms / 10) : 0;
            // wx numbers the disposal methods one below the GIF's own values.
            frame.Disposal = GifDisposalFromMethod(static_cast<int>(decoder.GetDisposalMethod(i)) + 1);
            Frames.push_back(std::move(frame));
        }
        if (Frames.empty())
            return false;
        Canvas = wxImage(std::max(1, screen.x), std::max(1, screen.y));
        ClearCanvas();
    } else {
        wxMemoryInputStream stream(data, size);
        wxImage still;
        if (!still.LoadFile(stream, wxBITMAP_TYPE_ANY))
            return false;
        Frames.push_back(Frame{still, wxPoint(0, 0), 0, GifDisposal::Leave});
        Canvas = wxImage(still.GetWidth(), still.GetHeight());
        Background = GetParent() ? GetParent()->GetBackgroundColour() : *wxBLACK;
        ClearCanvas();
    }
    SetSize(Canvas.GetSize());
    Current = 0;
    RenderCurrent();
    return true;
}

int CPictureEx::CurrentDelayMs() const {
    if (Frames.empty())
        return 0;
    return GifFrameDelayMs(Frames[static_cast<std::size_t>(Current)].DelayHundredths);
}

bool CPictureEx::Draw() {
    if (!Canvas.IsOk())
        return false;
    // Running already: a second start would double the pace.
    if (Frames.size() > 1 && !Playing) {
        Playing = true;
        FrameTimer.StartOnce(CurrentDelayMs());
    }
    Refresh(false);
    return true;
}

void CPictureEx::Stop() {
    Playing = false;
    FrameTimer.Stop();
}

void CPictureEx::UnLoad() {
    Stop();
    Frames.clear();
    Canvas = wxImage();
    Saved = wxImage();
    Current = 0;
    Gif = false;
    Refresh(false);
}

void CPictureEx::ClearCanvas() {
    Canvas.SetRGB(wxRect(Canvas.GetSize()), Background.Red(), Background.Green(), Background.Blue());
}

void CPictureEx::RenderCurrent() {
    if (Frames.empty() || !Canvas.IsOk())
        return;
    const Frame& frame = Frames[static_cast<std::size_t>(Current)];
    if (frame.Disposal == GifDisposal::RestorePrevious)
        Saved = Canvas.Copy();
    Canvas.Paste(frame.Picture, frame.Position.x, frame.Position.y, wxIMAGE_ALPHA_BLEND_COMPOSE);
    Refresh(false);
}

void CPictureEx::DisposeCurrent() {
    const Frame& frame = Frames[static_cast<std::size_t>(Current)];
    if (frame.Disposal == GifDisposal::RestoreBackground) {
        const wxRect area = wxRect(frame.Position, frame.Picture.GetSize()).Intersect(wxRect(Canvas.GetSize()));
        if (!area.IsEmpty())
            Canvas.SetRGB(area, Background.Red(), Background.Green(), Background.Blue());
    } else if (frame.Disposal == GifDisposal::RestorePrevious && Saved.IsOk()) {
        Canvas = Saved;
        Saved = wxImage();
    }
}

void CPictureEx::AdvanceFrame() {
    if (Frames.size() < 2)
        return;
    DisposeCurrent();
    if (++Current >= static_cast<int>(Frames.size())) {
        Current = 0;
        ClearCanvas();
    }
    RenderCurrent();
}

void CPictureEx::OnTimer(wxTimerEvent&) {
    if (!Playing)
        return;
    AdvanceFrame();
    FrameTimer.StartOnce(CurrentDelayMs());
}

void CPictureEx::OnPaint(wxPaintEvent&) {
    wxAutoBufferedPaintDC dc(this);
    PaintParentBackdrop(this, dc);
    if (Canvas.IsOk())
        dc.DrawBitmap(wxBitmap(Canvas), 0, 0, false);
}

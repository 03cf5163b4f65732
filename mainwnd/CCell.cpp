#include "mainwnd/CCell.h"

#include <string>
#include <utility>

#include <wx/dc.h>
#include <wx/dcclient.h>
#include <wx/window.h>

#include <SDL.h>
#include <SDL_ttf.h>

#include "mainwnd/canvas_geometry/CellVideoGeometry.h"
#include "platform/os/AppDirectory.h"
#include "platform/ui/NativeWindow.h"
#include "platform/ui/WxColour.h"
#include "preview/video/SdlVideoStart.h"
#include "preview/video/SdlVideoView.h"

namespace {

constexpr COLORREF PassiveGreen = 0x008000;
constexpr COLORREF FrameGrey = 0xC0C0C0;
constexpr COLORREF FrameYellow = 0x00FFFF;
constexpr COLORREF FrameRed = 0x0000FF;
constexpr COLORREF TextBlack = 0x000000;
constexpr COLORREF TextWhite = 0xFFFFFF;
constexpr int LabelPointSize = 40;

wxRect ToWx(const CanvasRect& r) { return wxRect(r.left, r.top, r.Width(), r.Height()); }

// A one-pixel frame inside the rectangle, like a 3-D frame drawn in one colour.
void FrameIn(wxDC& dc, const CanvasRect& r, COLORREF colour) {
    dc.SetPen(wxPen(ColourFromRef(colour), 1));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    dc.DrawRectangle(ToWx(r));
}

void Fill(wxDC& dc, const CanvasRect& r, const wxBrush* brush) {
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(brush ? *brush : *wxBLACK_BRUSH);
    dc.DrawRectangle(ToWx(r));
}

// The child window an SDL view is made on. It paints nothing itself (SDL owns its pixels) and
// hands its mouse events to the canvas, which is where the canvas's own window would have
// received them: the left button's to the canvas's drag handling, the wheel (zoom) to the
// canvas's own handlers. The right button is left alone, so that the context menu it brings
// travels up to the canvas.
class CellViewWindow : public wxWindow {
public:
    CellViewWindow(wxWindow* canvas, CCell* cell, std::function<void(wxMouseEvent&)> forward)
        : Cell(cell), Forward(std::move(forward)) {
        SetBackgroundStyle(wxBG_STYLE_PAINT);
        Create(canvas, wxID_ANY, wxDefaultPosition, wxSize(8, 8), wxBORDER_NONE);
        Bind(wxEVT_PAINT, &CellViewWindow::OnPaint, this);
        for (const auto& type : {wxEVT_LEFT_DOWN, wxEVT_LEFT_UP, wxEVT_LEFT_DCLICK, wxEVT_MOTION})
            Bind(type, &CellViewWindow::OnMouse, this);
        Bind(wxEVT_MOUSEWHEEL, &CellViewWindow::OnWheel, this);
    }

private:
    void OnPaint(wxPaintEvent&) {
        wxPaintDC dc(this);
        // GTK finishes its own painting of the exposed window after this handler; present the
        // view's picture once it has.
        CallAfter([this] { Cell->RepresentView(); });
    }
    wxMouseEvent InCanvas(const wxMouseEvent& event) const {
        wxMouseEvent moved(event);
        moved.SetPosition(event.GetPosition() + GetPosition());
        moved.SetEventObject(GetParent());
        return moved;
    }
    void OnMouse(wxMouseEvent& event) {
        if (!Forward) return event.Skip();
        wxMouseEvent moved = InCanvas(event);
        Forward(moved);
    }
    void OnWheel(wxMouseEvent& event) {
        wxMouseEvent moved = InCanvas(event);
        GetParent()->ProcessWindowEvent(moved);
    }

    CCell* Cell;
    std::function<void(wxMouseEvent&)> Forward;
};

} // namespace

CCell::CCell() = default;

CCell::CCell(const CanvasRect& rect) : CellModel(rect) {}

CCell::~CCell() {
    DestroyVideoView();
    if (LabelFont) TTF_CloseFont(LabelFont);
    if (TtfStarted) TTF_Quit(); // balanced even when the font did not open
    if (View) View->Destroy();
}

bool CCell::CreateViewWindow(wxWindow* canvas, std::function<void(wxMouseEvent&)> forward) {
    if (View || !canvas) return View != nullptr;
    View = new CellViewWindow(canvas, this, std::move(forward));
    PlaceView();
    return true;
}

void CCell::DropViewWindow() {
    DestroyVideoView();
    if (View) View->Destroy();
    View = nullptr;
}

bool CCell::CreateVideoView(int previewWidth, int previewHeight) {
    DestroyVideoView();
    if (!View || previewWidth <= 0 || previewHeight <= 0 || SDL_WasInit(SDL_INIT_VIDEO) == 0) return false;
    const uintptr_t xid = NativeWindowOf(View);
    if (xid == 0) return false;
    ApplyNativeGeometryNow(View, View->GetRect());
    std::lock_guard lock(ViewMutex);
    Window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(xid));
    // Resizable, so that telling SDL a new size only resizes: SDL moves a fixed-size window back
    // to where it first saw it whenever its size is set.
    if (Window) SDL_SetWindowResizable(Window, SDL_TRUE);
    Renderer = CreateViewRenderer(Window);
    if (!Renderer) {
        if (Window) SDL_DestroyWindow(Window);
        Window = nullptr;
        return false;
    }
    TextureRect = DestRect = {0, 0, previewWidth, previewHeight};
    if (SourceRect.width <= 0 || SourceRect.height <= 0) SourceRect = TextureRect;
    ApplyRenderScale();
    return true;
}

void CCell::DestroyVideoView() {
    std::lock_guard lock(ViewMutex);
    if (Texture) SDL_DestroyTexture(Texture);
    if (Renderer) SDL_DestroyRenderer(Renderer);
    if (Window) SDL_DestroyWindow(Window); // a foreign window: SDL lets go, GTK keeps it
    Texture = nullptr;
    TextureW = TextureH = 0;
    Renderer = nullptr;
    Window = nullptr;
}

bool CCell::OpenLabelFont() {
    if (LabelFont) return true;
    if (!TtfStarted) {
        if (TTF_Init() != 0) return false;
        TtfStarted = true;
    }
    LabelFont = TTF_OpenFont((GetAppDirectory() + "arial.ttf").c_str(), LabelPointSize);
    return LabelFont != nullptr;
}

void CCell::ApplyRenderScale() {
    if (!Renderer) return;
    if (UseRenderScale) {
        SDL_RenderSetScale(Renderer, RenderScaleX, RenderScaleY);
        return;
    }
    // Everything is drawn at the preview size and stretched over the window, as a back buffer
    // of that size is when presented.
    int w = 0, h = 0;
    SDL_GetWindowSize(Window, &w, &h);
    const ViewStretch s = StretchPreviewToWindow(w, h, TextureRect.width, TextureRect.height);
    SDL_RenderSetScale(Renderer, s.x, s.y);
}

void CCell::RenderLabel(uint8_t r, uint8_t g, uint8_t b) {
    if (!LabelFont || Label.empty()) return;
    SDL_Surface* text = TTF_RenderUTF8_Blended(LabelFont, Label.c_str(), SDL_Color{r, g, b, 255});
    if (!text) return;
    if (SDL_Texture* t = SDL_CreateTextureFromSurface(Renderer, text)) {
        const SDL_Rect at{0, 0, text->w, text->h};
        SDL_RenderCopy(Renderer, t, nullptr, &at);
        SDL_DestroyTexture(t);
    }
    SDL_FreeSurface(text);
}

void CCell::OnYuvFrame(int width, int height, const uint8_t* const planes[3], const int strides[3]) {
    if (IsHidden()) return;
    std::lock_guard lock(ViewMutex);
    if (!Renderer || width <= 0 || height <= 0) return;
    if (width != TextureRect.width || height != TextureRect.height) {
        // The stream's size is what counts, whatever size the preview was set to.
        TextureRect = DestRect = {0, 0, width, height};
        SourceRect = SourceOf ? SourceOf(width, height) : TextureRect;
        ApplyRenderScale();
    }
    H264Picture picture;
    picture.Width = width;
    picture.Height = height;
    for (int i = 0; i < 3; ++i) {
        picture.Planes[i] = planes[i];
        picture.Strides[i] = strides[i];
    }
    const auto crop = CropPicture(picture, {SourceRect.x, SourceRect.y, SourceRect.width, SourceRect.height});
    if (!crop) return;
    const H264Picture& part = crop->Part;
    if (!Texture || part.Width != TextureW || part.Height != TextureH) {
        if (Texture) SDL_DestroyTexture(Texture);
        Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING, part.Width,
                                    part.Height);
        TextureW = Texture ? part.Width : 0;
        TextureH = Texture ? part.Height : 0;
        if (!Texture) return;
    }
    if (SDL_UpdateYUVTexture(Texture, nullptr, part.Planes[0], part.Strides[0], part.Planes[1],
                             part.Strides[1], part.Planes[2], part.Strides[2]) != 0) {
        return;
    }
    Shown = {crop->Source.Left, crop->Source.Top, crop->Source.Width, crop->Source.Height};
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    const SDL_Rect src{Shown.x, Shown.y, Shown.width, Shown.height};
    const SDL_Rect dst{DestRect.x, DestRect.y, DestRect.width, DestRect.height};
    SDL_RenderCopy(Renderer, Texture, &src, &dst);
    RenderLabel(255, 0, 0);
    SDL_RenderPresent(Renderer);
    ++PicturesShown;
}

void CCell::ClearPicture() {
    {
        std::lock_guard lock(ViewMutex);
        if (Texture) SDL_DestroyTexture(Texture);
        Texture = nullptr;
        TextureW = TextureH = 0;
    }
    // Hidden cells too: a cell shown later presents what its view last drew.
    DrawIdleView();
}

void CCell::DrawIdleView() {
    std::lock_guard lock(ViewMutex);
    if (!Renderer) return;
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    RenderLabel(255, 255, 255);
    if (IsSelected()) SDL_SetRenderDrawColor(Renderer, 255, 0, 0, 255);
    else SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    const SDL_Rect outer{0, 0, 350, 238}, inner{1, 1, 348, 236};
    SDL_RenderDrawRect(Renderer, &outer);
    SDL_RenderDrawRect(Renderer, &inner);
    SDL_RenderPresent(Renderer);
}

void CCell::RepresentView() {
    std::lock_guard lock(ViewMutex);
    if (Renderer && !IsHidden()) SDL_RenderPresent(Renderer);
}

void CCell::PlaceView() {
    if (!View) return;
    const CanvasRect r = Rect.Normalized();
    const wxRect placed(r.left, r.top, std::max(r.Width(), 1), std::max(r.Height(), 1));
    View->SetSize(placed);
    std::lock_guard lock(ViewMutex);
    if (!Window) return;
    ApplyNativeGeometryNow(View, placed);
    // GTK owns the window's position; SDL only needs to know the new size to size its surface.
    SDL_SetWindowSize(Window, std::max(r.Width(), 1), std::max(r.Height(), 1));
    if (Renderer) {
        int w = 0, h = 0;
        SDL_GetWindowSize(Window, &w, &h);
        if (!UseRenderScale) {
            const ViewStretch s = StretchPreviewToWindow(w, h, TextureRect.width, TextureRect.height);
            SDL_RenderSetScale(Renderer, s.x, s.y);
        }
    }
}

void CCell::ShowView(bool show) {
    if (View) View->Show(show);
}

void CCell::DrawFrameOutline(wxDC& dc, const CanvasRect& r) {
    if (UseOutlineColour) {
        FrameIn(dc, r, OutlineColour);
        return;
    }
    FrameIn(dc, r.GrownBy(BorderInsets), FrameYellow);
    FrameIn(dc, r, IsSelected() ? FrameRed : FrameGrey);
}

void CCell::Draw(wxDC& dc) {
    if (IsHidden()) return;
    const CanvasRect r = Rect.Normalized();
    if (OutlineOnly) {
        if (IsPassiveFrame()) {
            dc.SetPen(wxPen(ColourFromRef(PassiveGreen), 1, wxPENSTYLE_DOT));
            dc.SetBrush(*wxTRANSPARENT_BRUSH);
            dc.DrawRectangle(ToWx(r));
        } else {
            DrawPosSizeText(dc, r);
            FrameIn(dc, r, UseOutlineColour ? OutlineColour : FrameGrey);
        }
        return;
    }
    if (IsFrame) {
        Fill(dc, r.GrownBy(BorderInsets), Tools.Normal);
        Fill(dc, r, IsSelected() ? Tools.Selected : Tools.Frame);
        DrawPosSizeText(dc, r);
    } else {
        if (!UseRenderScale) DrawIdleView();
        if (!View) {
            Fill(dc, r, IsSelected() ? Tools.Selected : Tools.Normal);
            DrawPosSizeText(dc, r);
        }
    }
    DrawFrameOutline(dc, r);
}

void CCell::DrawPosSizeText(wxDC& dc, const CanvasRect& rect) {
    dc.SetBackgroundMode(wxBRUSHSTYLE_TRANSPARENT);
    COLORREF colour = TextWhite;
    if (Passive && !IsSelected()) colour = PassiveGreen;
    else if (IsFrame && !IsSelected()) colour = TextBlack;
    dc.SetTextForeground(ColourFromRef(colour));
    PosText = FormatPosText(*this);
    SizeText = FormatSizeText(*this);
    if (IsPassiveFrame()) return;
    if (Tools.Font) dc.SetFont(*Tools.Font);
    wxDCClipper clip(dc, ToWx(rect));
    int y = rect.top;
    const auto line = [&](const std::string& text) {
        const wxString s = wxString::FromUTF8(text);
        dc.DrawText(s, rect.left + 2, y);
        y += dc.GetTextExtent(s.empty() ? wxString("Ag") : s).GetHeight();
    };
    line(Label);
    if (ShowSubLabel) line(SubLabel);
    line(PosText);
    line(SizeText);
}

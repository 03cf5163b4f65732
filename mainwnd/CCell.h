#pragma once
// One rectangle on the output canvas: a layer window (MAIN, PIP-1..PIP-3, LOGO), an output
// frame or a switcher view. The geometry lives in CellModel; this adds the drawing and, for a
// layer cell, a small SDL video view made on the cell's own native child window.
//
// Every SDL object of a view is created, drawn and destroyed on the UI thread; the preview's
// display thread hands its pictures over to the UI thread, which calls OnYuvFrame.
#include <cstdint>
#include <functional>
#include <mutex>

#include "mainwnd/canvas_geometry/CellModel.h"

class wxBrush;
class wxDC;
class wxFont;
class wxMouseEvent;
class wxWindow;
struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;
typedef struct _TTF_Font TTF_Font;

// The GDI objects the canvas shares with its cells.
struct CellPaintTools {
    const wxFont* Font = nullptr;
    const wxBrush* Normal = nullptr;   // black fill
    const wxBrush* Frame = nullptr;    // RGB(0, 77, 235): an output frame
    const wxBrush* Selected = nullptr; // black fill of a selected cell
};

class CCell : public CellModel {
public:
    CCell();
    explicit CCell(const CanvasRect& rect);
    ~CCell() override;

    // The native child window of the canvas that the video view is made on. Mouse events on it
    // go to `forward` in canvas coordinates, as if the canvas itself had received them.
    bool CreateViewWindow(wxWindow* canvas, std::function<void(wxMouseEvent&)> forward);
    wxWindow* ViewWindow() const { return View; }
    // Gives the child window up (when no video view can be made on it), so that the canvas
    // itself draws the cell instead of an empty window covering it.
    void DropViewWindow();

    // The SDL window on the child window and its renderer, for pictures of about the preview
    // size; the texture comes with the first picture, sized to the part of it the cell shows.
    bool CreateVideoView(int previewWidth, int previewHeight);
    void DestroyVideoView();
    bool HasVideoView() const { return Renderer != nullptr; }
    // The cell's source rectangle in a picture of the given size; set by the working area, applied
    // again whenever the pictures arrive at another size.
    std::function<PixelArea(int pictureWidth, int pictureHeight)> SourceOf;
    // The size of the pictures shown (the preview size until the first picture).
    int PictureWidth() const { return TextureRect.width; }
    int PictureHeight() const { return TextureRect.height; }
    int TextureWidth() const { return TextureW; }
    int TextureHeight() const { return TextureH; }
    // The label font of the view: arial.ttf from the program folder, 40 points.
    bool OpenLabelFont();

    // A decoded preview picture in I420 layout (Y plane, then U and V of half width and height,
    // each with its own stride), on the UI thread. A hidden cell or a cell without a view ignores
    // it; a picture that cannot be read safely is dropped. A picture of a new size sets the
    // source rectangle again (SourceOf) and makes the texture again, once.
    void OnYuvFrame(int width, int height, const uint8_t* const planes[3], const int strides[3]);

    // Drops the picture shown: the view shows its idle picture until the next one comes.
    void ClearPicture();

    // Paints the cell on the canvas (and its idle picture into the video view).
    void Draw(wxDC& dc);
    void DrawPosSizeText(wxDC& dc, const CanvasRect& rect);

    // Moves and sizes the child window (and so the SDL window) to the canvas rectangle.
    void PlaceView();
    // Shows or hides the child window with its video view.
    void ShowView(bool show);
    // Presents the view's last picture again (after the window system exposed it).
    void RepresentView();

    CellPaintTools Tools;
    PixelArea TextureRect; // x, y, preview width, preview height
    PixelArea DestRect;
    bool UseRenderScale = false;
    float RenderScaleX = 1.0f;
    float RenderScaleY = 1.0f;
    int PicturesShown = 0; // preview pictures presented so far

private:
    void ApplyRenderScale();
    void DrawIdleView();
    void RenderLabel(uint8_t r, uint8_t g, uint8_t b);
    void DrawFrameOutline(wxDC& dc, const CanvasRect& rect);

    std::mutex ViewMutex; // the view's SDL objects
    wxWindow* View = nullptr;
    SDL_Window* Window = nullptr;
    SDL_Renderer* Renderer = nullptr;
    SDL_Texture* Texture = nullptr;
    int TextureW = 0;
    int TextureH = 0;
    PixelArea Shown; // the source rectangle inside the texture
    TTF_Font* LabelFont = nullptr;
    bool TtfStarted = false;
};

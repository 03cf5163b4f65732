#pragma once
#include "platform/h264/H264Picture.h"
#include "preview/window/PreviewWindowLayout.h"

#include <cstdint>
#include <optional>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

// The part of a picture a view shows, as a picture of its own that a texture of its size holds:
// it starts at the even pixel at or before the area (chroma is shared by 2 x 2 pixels), and
// Source is the area inside it. None when the area misses the picture or the picture cannot be
// read safely (a missing plane, a stride shorter than a row).
struct PictureCrop {
    H264Picture Part;
    PreviewRect Source;
};
std::optional<PictureCrop> CropPicture(const H264Picture& picture, const PreviewRect& area);

// Draws preview pictures with SDL into a native child window (a canvas cell's or a preview
// pane's). Every call belongs on the UI thread: SDL objects made, drawn and destroyed on one
// thread only. The part shown is taken from each picture's own size, and the one texture holds
// just that part: it is made again only when that size changes.
class SdlVideoView {
public:
    SdlVideoView() = default;
    ~SdlVideoView();
    SdlVideoView(const SdlVideoView&) = delete;
    SdlVideoView& operator=(const SdlVideoView&) = delete;

    // Makes an SDL window on the native window (an X11 window id) and a renderer for it:
    // accelerated when the display offers it, else software.
    bool AttachNative(uintptr_t nativeWindow);
    // Draws with a renderer the caller made and keeps (an off-screen surface, a window of its own).
    bool AttachRenderer(SDL_Renderer* renderer);
    void Detach();
    bool IsAttached() const { return Renderer != nullptr; }
    int TextureWidth() const { return TextureW; }
    int TextureHeight() const { return TextureH; }

    // SDL hears nothing of a foreign window's new size: tell it after every resize.
    void SetOutputSize(int width, int height);
    // The part of the picture shown, in the picture's pixels; none = the whole picture.
    void SetSourceRect(std::optional<PreviewRect> source) {
        Source = source;
        Quadrant.reset();
    }
    // Shows quadrant 0..3 of every picture, whatever its size.
    void SetQuadrant(int quadrant) { Quadrant = quadrant; }
    // Where it is drawn; none = the whole window.
    void SetDestinationRect(std::optional<PreviewRect> destination) { Destination = destination; }

    // Shows the picture and keeps it for Redraw. False when not attached or SDL refused.
    bool Draw(const H264Picture& picture);
    // Shows the last picture again (the window was exposed); false when there is none.
    bool Redraw();
    // Forgets the last picture and shows black until the next one.
    void Clear();

private:
    bool EnsureTexture(int width, int height);
    bool Present();

    SDL_Window* Window = nullptr;  // owned when made by AttachNative
    SDL_Renderer* Renderer = nullptr;
    bool OwnsRenderer = false;
    SDL_Texture* Texture = nullptr;
    int TextureW = 0;
    int TextureH = 0;
    std::optional<PreviewRect> Source;
    std::optional<int> Quadrant;
    PreviewRect Shown; // the source inside the texture
    std::optional<PreviewRect> Destination;
    bool HasPicture = false;
};

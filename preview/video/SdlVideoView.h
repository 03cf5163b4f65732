#pragma once
#include "platform/h264/H264Picture.h"
#include "preview/window/PreviewWindowLayout.h"

#include <cstdint>
#include <optional>

struct SDL_Renderer;
struct SDL_Texture;
struct SDL_Window;

// Draws preview pictures with SDL into a native child window (a canvas cell's or a preview
// pane's). Every call belongs on the UI thread: SDL objects made, drawn and destroyed on one
// thread only. The texture follows each picture's own size and is fed with its real strides, so
// a picture of another size than expected is shown, never read past.
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

    // SDL hears nothing of a foreign window's new size: tell it after every resize.
    void SetOutputSize(int width, int height);
    // The part of the picture shown (a quadrant); none = the whole picture.
    void SetSourceRect(std::optional<PreviewRect> source) { Source = source; }
    // Where it is drawn; none = the whole window.
    void SetDestinationRect(std::optional<PreviewRect> destination) { Destination = destination; }

    // Shows the picture and keeps it for Redraw. False when not attached or SDL refused.
    bool Draw(const H264Picture& picture);
    // Shows the last picture again (the window was exposed); false when there is none.
    bool Redraw();

private:
    bool EnsureTexture(int width, int height);
    bool Present();

    SDL_Window* Window = nullptr;  // owned when made by AttachNative
    SDL_Renderer* Renderer = nullptr;
    bool OwnsRenderer = false;
    SDL_Texture* Texture = nullptr;
    int TextureWidth = 0;
    int TextureHeight = 0;
    std::optional<PreviewRect> Source;
    std::optional<PreviewRect> Destination;
    bool HasPicture = false;
};

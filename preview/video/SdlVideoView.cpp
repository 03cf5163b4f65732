#include "preview/video/SdlVideoView.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>

namespace {

SDL_Rect ToSdl(const PreviewRect& rect) {
    return SDL_Rect{rect.Left, rect.Top, rect.Width, rect.Height};
}

// A source rectangle kept inside the picture, so a quadrant of a stale size never reads outside.
std::optional<SDL_Rect> ClampToPicture(const std::optional<PreviewRect>& source, int width, int height) {
    if (!source) return std::nullopt;
    SDL_Rect rect = ToSdl(*source);
    rect.x = std::clamp(rect.x, 0, width);
    rect.y = std::clamp(rect.y, 0, height);
    rect.w = std::clamp(rect.w, 0, width - rect.x);
    rect.h = std::clamp(rect.h, 0, height - rect.y);
    return rect;
}

} // namespace

SdlVideoView::~SdlVideoView() {
    Detach();
}

bool SdlVideoView::AttachNative(uintptr_t nativeWindow) {
    Detach();
    if (!nativeWindow) return false;
    Window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(nativeWindow));
    if (!Window) return false;
    // Without GLX (some X servers) an accelerated renderer cannot be made; software always can.
    Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_ACCELERATED);
    if (!Renderer) Renderer = SDL_CreateRenderer(Window, -1, SDL_RENDERER_SOFTWARE);
    if (!Renderer) {
        SDL_DestroyWindow(Window);
        Window = nullptr;
        return false;
    }
    OwnsRenderer = true;
    SDL_RenderSetScale(Renderer, 1.0f, 1.0f);
    return true;
}

bool SdlVideoView::AttachRenderer(SDL_Renderer* renderer) {
    Detach();
    Renderer = renderer;
    OwnsRenderer = false;
    return Renderer != nullptr;
}

void SdlVideoView::Detach() {
    if (Texture) SDL_DestroyTexture(Texture);
    Texture = nullptr;
    TextureWidth = TextureHeight = 0;
    HasPicture = false;
    if (Renderer && OwnsRenderer) SDL_DestroyRenderer(Renderer);
    Renderer = nullptr;
    OwnsRenderer = false;
    if (Window) SDL_DestroyWindow(Window);
    Window = nullptr;
}

void SdlVideoView::SetOutputSize(int width, int height) {
    if (Window && width > 0 && height > 0) SDL_SetWindowSize(Window, width, height);
}

bool SdlVideoView::EnsureTexture(int width, int height) {
    if (Texture && width == TextureWidth && height == TextureHeight) return true;
    if (Texture) SDL_DestroyTexture(Texture);
    HasPicture = false;
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING, width, height);
    TextureWidth = Texture ? width : 0;
    TextureHeight = Texture ? height : 0;
    return Texture != nullptr;
}

bool SdlVideoView::Draw(const H264Picture& picture) {
    if (!Renderer || picture.Width <= 0 || picture.Height <= 0) return false;
    for (int plane = 0; plane < 3; ++plane)
        if (!picture.Planes[plane]) return false;
    if (picture.Strides[0] < picture.Width || picture.Strides[1] < H264Picture::ChromaWidth(picture.Width) ||
        picture.Strides[2] < H264Picture::ChromaWidth(picture.Width))
        return false;
    if (!EnsureTexture(picture.Width, picture.Height)) return false;
    if (SDL_UpdateYUVTexture(Texture, nullptr, picture.Planes[0], picture.Strides[0], picture.Planes[1],
                             picture.Strides[1], picture.Planes[2], picture.Strides[2]) != 0)
        return false;
    HasPicture = true;
    return Present();
}

bool SdlVideoView::Redraw() {
    return Renderer && Texture && HasPicture && Present();
}

bool SdlVideoView::Present() {
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    const auto source = ClampToPicture(Source, TextureWidth, TextureHeight);
    SDL_Rect destination{};
    if (Destination) destination = ToSdl(*Destination);
    const int copied = SDL_RenderCopy(Renderer, Texture, source ? &*source : nullptr,
                                      Destination ? &destination : nullptr);
    SDL_RenderPresent(Renderer);
    return copied == 0;
}

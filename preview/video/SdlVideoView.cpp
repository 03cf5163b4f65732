#include "preview/video/SdlVideoView.h"

#include "preview/video/SdlVideoStart.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <algorithm>
#include <cstddef>

namespace {

SDL_Rect ToSdl(const PreviewRect& rect) {
    return SDL_Rect{rect.Left, rect.Top, rect.Width, rect.Height};
}

} // namespace

std::optional<PictureCrop> CropPicture(const H264Picture& picture, const PreviewRect& area) {
    const int w = picture.Width, h = picture.Height;
    if (w <= 0 || h <= 0) return std::nullopt;
    for (int plane = 0; plane < 3; ++plane)
        if (!picture.Planes[plane]) return std::nullopt;
    const int chroma = H264Picture::ChromaWidth(w);
    if (picture.Strides[0] < w || picture.Strides[1] < chroma || picture.Strides[2] < chroma)
        return std::nullopt;
    // Kept inside the picture, so an area of a stale size never reads outside it.
    const int left = std::clamp(area.Left, 0, w), top = std::clamp(area.Top, 0, h);
    const int right = std::clamp(area.Left + std::max(area.Width, 0), left, w);
    const int bottom = std::clamp(area.Top + std::max(area.Height, 0), top, h);
    if (right <= left || bottom <= top) return std::nullopt;
    const int x0 = left & ~1, y0 = top & ~1;
    PictureCrop crop;
    crop.Part.Width = right - x0;
    crop.Part.Height = bottom - y0;
    crop.Part.Planes[0] = picture.Planes[0] + static_cast<ptrdiff_t>(y0) * picture.Strides[0] + x0;
    for (int plane = 1; plane < 3; ++plane)
        crop.Part.Planes[plane] =
            picture.Planes[plane] + static_cast<ptrdiff_t>(y0 / 2) * picture.Strides[plane] + x0 / 2;
    for (int plane = 0; plane < 3; ++plane)
        crop.Part.Strides[plane] = picture.Strides[plane];
    crop.Source = {left - x0, top - y0, right - left, bottom - top};
    return crop;
}

SdlVideoView::~SdlVideoView() {
    Detach();
}

bool SdlVideoView::AttachNative(uintptr_t nativeWindow) {
    Detach();
    if (!nativeWindow) return false;
    Window = SDL_CreateWindowFrom(reinterpret_cast<const void*>(nativeWindow));
    if (!Window) return false;
    Renderer = CreateViewRenderer(Window);
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
    TextureW = TextureH = 0;
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
    if (Texture && width == TextureW && height == TextureH) return true;
    if (Texture) SDL_DestroyTexture(Texture);
    HasPicture = false;
    Texture = SDL_CreateTexture(Renderer, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING, width, height);
    TextureW = Texture ? width : 0;
    TextureH = Texture ? height : 0;
    return Texture != nullptr;
}

bool SdlVideoView::Draw(const H264Picture& picture) {
    if (!Renderer) return false;
    PreviewRect area{0, 0, picture.Width, picture.Height};
    if (Quadrant)
        area = QuadrantSourceRect(picture.Width, picture.Height, *Quadrant);
    else if (Source)
        area = *Source;
    const std::optional<PictureCrop> crop = CropPicture(picture, area);
    if (!crop) return false;
    const H264Picture& part = crop->Part;
    if (!EnsureTexture(part.Width, part.Height)) return false;
    if (SDL_UpdateYUVTexture(Texture, nullptr, part.Planes[0], part.Strides[0], part.Planes[1],
                             part.Strides[1], part.Planes[2], part.Strides[2]) != 0)
        return false;
    Shown = crop->Source;
    HasPicture = true;
    return Present();
}

bool SdlVideoView::Redraw() {
    return Renderer && Texture && HasPicture && Present();
}

void SdlVideoView::Clear() {
    HasPicture = false;
    if (!Renderer) return;
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    SDL_RenderPresent(Renderer);
}

bool SdlVideoView::Present() {
    SDL_SetRenderDrawColor(Renderer, 0, 0, 0, 255);
    SDL_RenderClear(Renderer);
    const SDL_Rect source = ToSdl(Shown);
    SDL_Rect destination{};
    if (Destination) destination = ToSdl(*Destination);
    const int copied = SDL_RenderCopy(Renderer, Texture, &source, Destination ? &destination : nullptr);
    SDL_RenderPresent(Renderer);
    return copied == 0;
}

#include "platform/h264/H264Decoder.h"
#include "preview/PreviewTestStreams.h"
#include "preview/channel/MailboxView.h"
#include "preview/video/SdlVideoView.h"

#include <gtest/gtest.h>

#define SDL_MAIN_HANDLED
#include <SDL.h>

namespace {

// An off-screen target: a software renderer drawing into an RGB surface we can read back.
struct Surface {
    SDL_Surface* Pixels = nullptr;
    SDL_Renderer* Renderer = nullptr;

    Surface(int width, int height) {
        Pixels = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGB888);
        Renderer = Pixels ? SDL_CreateSoftwareRenderer(Pixels) : nullptr;
    }
    ~Surface() {
        if (Renderer) SDL_DestroyRenderer(Renderer);
        if (Pixels) SDL_FreeSurface(Pixels);
    }
    SDL_Color At(int x, int y) const {
        const auto* row = static_cast<const uint8_t*>(Pixels->pixels) + y * Pixels->pitch;
        const uint32_t pixel = reinterpret_cast<const uint32_t*>(row)[x];
        SDL_Color colour;
        SDL_GetRGB(pixel, Pixels->format, &colour.r, &colour.g, &colour.b);
        return colour;
    }
};

// The 21st picture of a stream.
OwnedPicture DecodedPicture(const char* stream, size_t index = 20) {
    auto decoder = CreateH264Decoder();
    OwnedPicture kept;
    size_t seen = 0;
    const auto keep = [&](const H264Picture& picture) {
        if (seen++ == index) kept.Assign(picture);
    };
    const auto bytes = ReadTestStream(stream);
    decoder->Decode(bytes.data(), bytes.size(), keep);
    decoder->Flush(keep);
    return kept;
}

bool IsRed(SDL_Color c) {
    return c.r > 180 && c.g < 80 && c.b < 80;
}
bool IsGreen(SDL_Color c) {
    return c.g > 90 && c.r < 70 && c.b < 70;
}
bool IsBlue(SDL_Color c) {
    return c.b > 180 && c.r < 80 && c.g < 80;
}

} // namespace

TEST(SdlVideoView, EachQuadrantFillsTheViewInItsColour) {
    const OwnedPicture picture = DecodedPicture(QuadStream);
    ASSERT_EQ(picture.GetWidth(), 352);
    Surface target(200, 100);
    ASSERT_NE(target.Renderer, nullptr) << SDL_GetError();
    SdlVideoView view;
    ASSERT_TRUE(view.AttachRenderer(target.Renderer));
    const std::pair<int, bool (*)(SDL_Color)> quadrants[] = {{1, IsRed}, {2, IsGreen}, {3, IsBlue}};
    for (const auto& [quadrant, colourOk] : quadrants) {
        view.SetQuadrant(quadrant);
        ASSERT_TRUE(view.Draw(picture.View())) << SDL_GetError();
        // One texture, holding just the quadrant.
        EXPECT_EQ(view.TextureWidth(), 176);
        EXPECT_EQ(view.TextureHeight(), 120);
        for (auto [x, y] : {std::pair{5, 5}, std::pair{100, 50}, std::pair{194, 94}}) {
            const SDL_Color c = target.At(x, y);
            EXPECT_TRUE(colourOk(c)) << "quadrant " << quadrant << " at " << x << "," << y << ": " << int(c.r)
                                     << " " << int(c.g) << " " << int(c.b);
        }
    }
}

TEST(SdlVideoView, CropStartsOnAnEvenPixelAndNeverLeavesThePicture) {
    static uint8_t plane[400 * 260];
    H264Picture picture;
    picture.Width = 350;
    picture.Height = 242;
    for (int i = 0; i < 3; ++i) {
        picture.Planes[i] = plane;
        picture.Strides[i] = i ? 200 : 384;
    }
    // An odd quadrant origin (350 / 2 = 175): the part starts one pixel before it.
    auto crop = CropPicture(picture, QuadrantSourceRect(350, 242, 3));
    ASSERT_TRUE(crop);
    EXPECT_EQ(crop->Source, (PreviewRect{1, 1, 175, 121}));
    EXPECT_EQ(crop->Part.Width, 176);
    EXPECT_EQ(crop->Part.Height, 122);
    EXPECT_EQ(crop->Part.Planes[0], plane + 120 * 384 + 174);
    EXPECT_EQ(crop->Part.Planes[1], plane + 60 * 200 + 87);
    // A stale area larger than the picture is cut to it; one outside it gives nothing.
    crop = CropPicture(picture, QuadrantSourceRect(1920, 1080, 0));
    ASSERT_TRUE(crop);
    EXPECT_EQ(crop->Source, (PreviewRect{0, 0, 350, 242}));
    EXPECT_FALSE(CropPicture(picture, QuadrantSourceRect(1920, 1080, 3)));
    picture.Strides[2] = 174; // a chroma row of 350 pixels needs 175 bytes
    EXPECT_FALSE(CropPicture(picture, {0, 0, 10, 10}));
    picture.Strides[2] = 200;
    picture.Planes[1] = nullptr;
    EXPECT_FALSE(CropPicture(picture, {0, 0, 10, 10}));
}

TEST(SdlVideoView, TheWholePictureWithPaddedStridesIsNotSheared) {
    // Straight from the decoder, strides padded (352 -> 384): the quadrant borders stay put.
    auto decoder = CreateH264Decoder();
    Surface target(352, 240);
    SdlVideoView view;
    ASSERT_TRUE(view.AttachRenderer(target.Renderer));
    int drawn = 0;
    const auto bytes = ReadTestStream(QuadStream);
    decoder->Decode(bytes.data(), bytes.size(), [&](const H264Picture& picture) {
        if (drawn++ != 10) return;
        EXPECT_GT(picture.Strides[0], picture.Width);
        ASSERT_TRUE(view.Draw(picture));
    });
    ASSERT_GT(drawn, 10);
    EXPECT_TRUE(IsRed(target.At(180, 4)));
    EXPECT_TRUE(IsRed(target.At(347, 115)));
    EXPECT_TRUE(IsGreen(target.At(4, 124)));
    EXPECT_TRUE(IsGreen(target.At(171, 235)));
    EXPECT_TRUE(IsBlue(target.At(180, 124)));
    EXPECT_TRUE(IsBlue(target.At(347, 235)));
}

TEST(SdlVideoView, FollowsThePicturesSizeAndRedrawsTheLastOne) {
    Surface target(120, 80);
    SdlVideoView view;
    EXPECT_FALSE(view.Draw(DecodedPicture(QuadStream).View())); // not attached
    ASSERT_TRUE(view.AttachRenderer(target.Renderer));
    EXPECT_FALSE(view.Redraw()); // nothing drawn yet
    // An area outside the picture (a stale size) draws nothing and reads nothing.
    view.SetSourceRect(QuadrantSourceRect(1920, 1080, 3));
    EXPECT_FALSE(view.Draw(DecodedPicture(WideStream, 3).View()));
    view.SetSourceRect(QuadrantSourceRect(352, 240, 1));
    EXPECT_TRUE(view.Draw(DecodedPicture(QuadStream).View()));
    SDL_SetRenderDrawColor(target.Renderer, 0, 0, 0, 255);
    SDL_RenderClear(target.Renderer);
    EXPECT_FALSE(IsRed(target.At(60, 40)));
    EXPECT_TRUE(view.Redraw()); // an expose: the last picture again
    EXPECT_TRUE(IsRed(target.At(60, 40)));
    view.Clear(); // another machine's stream follows: black, and nothing to show again
    EXPECT_FALSE(IsRed(target.At(60, 40)));
    EXPECT_FALSE(view.Redraw());
    H264Picture broken = DecodedPicture(QuadStream).View();
    broken.Strides[2] = 10;
    EXPECT_FALSE(view.Draw(broken));
    view.Detach();
    EXPECT_FALSE(view.IsAttached());
}

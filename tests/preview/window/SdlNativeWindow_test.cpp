// SDL drawing into a native X11 child window, as a canvas cell or preview pane does; needs the
// test run's X server (skipped without DISPLAY).
#include "platform/h264/H264Decoder.h"
#include "preview/PreviewTestStreams.h"
#include "preview/channel/PictureMailbox.h"
#include "preview/video/SdlVideoView.h"

#include <gtest/gtest.h>

#define SDL_MAIN_HANDLED
#include <SDL.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdlib>
#include <thread>

namespace {

struct XWindowFixture : ::testing::Test {
    Display* X = nullptr;
    Window Parent = 0, Child = 0;

    void SetUp() override {
        if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X server";
        X = XOpenDisplay(nullptr);
        ASSERT_NE(X, nullptr);
        const int screen = DefaultScreen(X);
        Parent = XCreateSimpleWindow(X, RootWindow(X, screen), 0, 0, 400, 300, 0, 0, 0);
        Child = XCreateSimpleWindow(X, Parent, 10, 10, 176, 120, 0, 0, 0);
        XMapWindow(X, Child);
        XMapWindow(X, Parent);
        XSync(X, False);
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    void TearDown() override {
        if (!X) return;
        XDestroyWindow(X, Parent);
        XCloseDisplay(X);
        // SDL stays up until the process ends: quitting it unloads the X extension libraries
        // it opened, and their allocations would then be reported as leaks of no module.
    }

    // The colour the X server shows at a point of the child window.
    std::array<int, 3> PixelAt(int x, int y) {
        XSync(X, False);
        XImage* image = XGetImage(X, Child, x, y, 1, 1, AllPlanes, ZPixmap);
        if (!image) return {-1, -1, -1};
        const unsigned long pixel = XGetPixel(image, 0, 0);
        std::array<int, 3> rgb{static_cast<int>((pixel & image->red_mask) >> 16),
                               static_cast<int>((pixel & image->green_mask) >> 8),
                               static_cast<int>(pixel & image->blue_mask)};
        XDestroyImage(image);
        return rgb;
    }
};

OwnedPicture TwentiethPicture() {
    auto decoder = CreateH264Decoder();
    OwnedPicture kept;
    int seen = 0;
    const auto bytes = ReadTestStream(QuadStream);
    decoder->Decode(bytes.data(), bytes.size(), [&](const H264Picture& p) {
        if (seen++ == 20) kept.Assign(p);
    });
    return kept;
}

} // namespace

TEST_F(XWindowFixture, AQuadrantFillsTheNativeWindowAndFollowsItsSize) {
    const OwnedPicture picture = TwentiethPicture();
    ASSERT_EQ(picture.GetWidth(), 352);
    SdlVideoView view;
    ASSERT_TRUE(view.AttachNative(static_cast<uintptr_t>(Child))) << SDL_GetError();
    view.SetSourceRect(QuadrantSourceRect(352, 240, 3)); // blue
    ASSERT_TRUE(view.Draw(picture.View()));
    bool blue = false;
    for (int attempt = 0; attempt < 50 && !blue; ++attempt) {
        const auto c = PixelAt(88, 60);
        blue = c[2] > 180 && c[0] < 80 && c[1] < 80;
        if (!blue) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(blue);
    // Grown by the toolkit: SDL is told, and the picture fills the new size.
    XResizeWindow(X, Child, 300, 200);
    XSync(X, False);
    view.SetOutputSize(300, 200);
    view.SetSourceRect(QuadrantSourceRect(352, 240, 1)); // red
    ASSERT_TRUE(view.Draw(picture.View()));
    bool red = false;
    for (int attempt = 0; attempt < 50 && !red; ++attempt) {
        const auto c = PixelAt(290, 190);
        red = c[0] > 180 && c[1] < 80 && c[2] < 80;
        if (!red) std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    EXPECT_TRUE(red);
    view.Detach();
    EXPECT_FALSE(view.IsAttached());
    EXPECT_FALSE(view.AttachNative(0));
}

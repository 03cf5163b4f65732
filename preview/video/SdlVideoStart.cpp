#include "preview/video/SdlVideoStart.h"

#define SDL_MAIN_HANDLED
#include <SDL.h>

#include <X11/Xlib.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

bool HasExtension(Display* display, const char* name) {
    int opcode = 0, event = 0, error = 0;
    return XQueryExtension(display, name, &opcode, &event, &error) != 0;
}

// A GPU render node this process may open (/dev/dri/renderD128 and so on).
bool HasRenderNode() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator("/dev/dri", ec)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("renderD", 0) == 0 && ::access(entry.path().c_str(), R_OK | W_OK) == 0) return true;
    }
    return false;
}

} // namespace

bool DisplayHasAcceleratedGl() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) return false;
    const bool nvidia = HasExtension(display, "NV-GLX");
    const bool direct = HasExtension(display, "DRI3") || HasExtension(display, "DRI2");
    XCloseDisplay(display);
    return nvidia || (direct && HasRenderNode());
}

namespace {
bool AcceleratedGl() {
    static const bool accelerated = DisplayHasAcceleratedGl();
    return accelerated;
}
} // namespace

void ChooseDrawingWithoutGl() {
    // GDK otherwise loads the GL driver when it opens the display, only to rank its visuals.
    if (!AcceleratedGl()) ::setenv("GDK_GL", "disable", 0);
}

bool StartSdlVideo() {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "x11");
    if (SDL_WasInit(SDL_INIT_VIDEO) == 0 && !AcceleratedGl()) {
        // Also keeps SDL from making a GL context to test the window surface's speed.
        SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
        SDL_SetHint(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0");
    }
    return SDL_InitSubSystem(SDL_INIT_VIDEO) == 0;
}

SDL_Renderer* CreateViewRenderer(SDL_Window* window) {
    if (!window) return nullptr;
    if (SDL_Renderer* renderer = SDL_CreateRenderer(window, -1, 0)) return renderer;
    // A foreign window whose visual GL cannot use: software always can.
    return SDL_CreateRenderer(window, -1, SDL_RENDERER_SOFTWARE);
}

#pragma once
// Starting SDL's video part for the preview views, and the renderer each view draws with.
struct SDL_Renderer;
struct SDL_Window;

// Whether the X display offers accelerated GL (direct rendering through a GPU node, or NVIDIA's
// driver), asked without loading any GL library.
bool DisplayHasAcceleratedGl();

// Once at program start, before GTK opens the display: without accelerated GL, GTK is kept from
// loading GL to pick its visuals and SDL draws in software (see StartSdlVideo).
void ChooseDrawingWithoutGl();

// SDL's video part on X11 (GTK draws on X11, so the views are X11 windows too). Without
// accelerated GL every renderer is SDL's software one, so no GL driver is ever loaded: a
// software GL brings a JIT compiler of tens of megabytes for drawing a few small pictures.
// Counted like SDL_InitSubSystem; false when SDL cannot start.
bool StartSdlVideo();

// The renderer of a view's SDL window: the one StartSdlVideo chose, else the software one.
SDL_Renderer* CreateViewRenderer(SDL_Window* window);

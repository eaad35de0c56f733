// Presenting the retained frame through GL while the context lives.
#include <SDL.h>

#include "platform/gfx3d/gl_context.h"
#include "platform/gfx3d/gl_surface.h"
#include "platform/presenter.h"
#include "platform/presenter_internal.h"
#include "platform/sdl_main_window.h"

namespace platform {

int ShowFrameThroughGl() {
    SDL_Window* window = CurrentSdlWindow();
    GlSurface* gpu = FrameGpuCopy();
    if (window == nullptr || gpu == nullptr) {
        return -1;
    }
    const GLuint framebuffer = SurfaceFramebuffer(gpu);
    if (framebuffer == 0) {
        return -1;
    }
    SyncForGpu(gpu);
    int width = 0;
    int height = 0;
    SDL_GL_GetDrawableSize(window, &width, &height);
    const DisplayRect layout = FrameLayout(width, height);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    gl.Disable(GL_SCISSOR_TEST);
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.Viewport(0, 0, width, height);
    gl.ClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    gl.Clear(GL_COLOR_BUFFER_BIT);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    // The frame's first row is its top; the window's first row is its bottom.
    gl.BlitFramebuffer(0, 0, gpu->width, gpu->height, layout.left, height - layout.top,
                       layout.right, height - layout.bottom, GL_COLOR_BUFFER_BIT, GL_NEAREST);
    CheckGlErrors("present");
    SDL_GL_SwapWindow(window);
    return 0;
}

}  // namespace platform

#include "platform/gfx3d/gl_context.h"

#include <SDL.h>
#include <malloc.h>

#include <cstdio>
#include <string_view>

#include "platform/display_internal.h"
#include "platform/gfx3d/gl_api.h"
#include "platform/gfx3d/gl_draw_resources.h"
#include "platform/presenter_internal.h"
#include "platform/sdl_main_window.h"

namespace platform {
namespace {

constexpr GLenum kNvxTotalMemory = 0x9048;
constexpr GLenum kNvxFreeMemory = 0x9049;
constexpr GLenum kAtiTextureFreeMemory = 0x87FC;
// Free heap memory kept rather than handed back to the system (see KeepFreedHeap).
constexpr int kHeapKeptOnFree = 64 << 20;

SDL_GLContext context = nullptr;
int error_count = 0;

bool GlCapableWindow(SDL_Window* window) {
    return window != nullptr && (SDL_GetWindowFlags(window) & SDL_WINDOW_OPENGL) != 0;
}

// An RGBA8 texture must be a complete framebuffer.
bool DrawsIntoRgba8() {
    GLuint texture = 0;
    GLuint framebuffer = 0;
    gl.GenTextures(1, &texture);
    gl.BindTexture(GL_TEXTURE_2D, texture);
    gl.TexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, 1, 1, 0, GL_BGRA, GL_UNSIGNED_BYTE, nullptr);
    gl.GenFramebuffers(1, &framebuffer);
    gl.BindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
    const bool complete = gl.CheckFramebufferStatus(GL_FRAMEBUFFER) == GL_FRAMEBUFFER_COMPLETE;
    gl.BindFramebuffer(GL_FRAMEBUFFER, 0);
    gl.DeleteFramebuffers(1, &framebuffer);
    gl.DeleteTextures(1, &texture);
    return complete;
}

bool HasExtension(std::string_view name) {
    GLint count = 0;
    gl.GetIntegerv(GL_NUM_EXTENSIONS, &count);
    for (GLint i = 0; i < count; ++i) {
        const auto* extension =
            reinterpret_cast<const char*>(gl.GetStringi(GL_EXTENSIONS, static_cast<GLuint>(i)));
        if (extension != nullptr && name == extension) {
            return true;
        }
    }
    return false;
}

// OpenGL 3.3 with separable programmes, so that every combiner programme shares one vertex
// stage (a software rasteriser compiles each programme's own again).
bool RecentEnough() {
    GLint major = 0;
    GLint minor = 0;
    gl.GetIntegerv(GL_MAJOR_VERSION, &major);
    gl.GetIntegerv(GL_MINOR_VERSION, &minor);
    return (major > 3 || (major == 3 && minor >= 3)) &&
           HasExtension("GL_ARB_separate_shader_objects");
}

// A software GL driver allocates its per-frame command storage in small blocks and frees them
// after every frame; handing that memory back to the system each time made every draw fault
// fresh pages in. Keeping it makes the blocks warm for the next frame.
void KeepFreedHeap() {
    mallopt(M_TRIM_THRESHOLD, kHeapKeptOnFree);
}

std::string Text(GLenum name) {
    const auto* text = reinterpret_cast<const char*>(gl.GetString(name));
    return text != nullptr ? text : "";
}

GlDescription DescribeCurrent() {
    GlDescription description{Text(GL_VENDOR), Text(GL_RENDERER), Text(GL_VERSION), 0, 0};
    if (HasExtension("GL_NVX_gpu_memory_info")) {
        gl.GetIntegerv(kNvxTotalMemory, &description.total_memory_kb);
        gl.GetIntegerv(kNvxFreeMemory, &description.free_memory_kb);
    } else if (HasExtension("GL_ATI_meminfo")) {
        GLint free[4] = {};
        gl.GetIntegerv(kAtiTextureFreeMemory, free);
        description.free_memory_kb = free[0];
        description.total_memory_kb = free[0];
    }
    gl.GetError();
    return description;
}

}  // namespace

bool AcquireGlContext() {
    if (context != nullptr) {
        return true;
    }
    SDL_Window* window = CurrentSdlWindow();
    if (!GlCapableWindow(window)) {
        return false;
    }
    context = SDL_GL_CreateContext(window);
    if (context == nullptr) {
        return false;
    }
    if (SDL_GL_MakeCurrent(window, context) != 0 || !LoadGlApi() || !RecentEnough() ||
        !DrawsIntoRgba8()) {
        SDL_GL_DeleteContext(context);
        context = nullptr;
        return false;
    }
    SDL_GL_SetSwapInterval(0);
    KeepFreedHeap();
    gl.ProvokingVertex(GL_FIRST_VERTEX_CONVENTION);
    TakeGlErrors();
    AttachGpuCopies();
    return true;
}

bool HasGlContext() {
    return context != nullptr;
}

void ReleaseGlContext() {
    if (context == nullptr) {
        return;
    }
    DetachGpuCopies();
    DetachFrameGpuCopy();
    ReleaseGlDrawResources();
    SDL_GL_DeleteContext(context);
    context = nullptr;
    gl = GlApi{};
}

void FinishGl() {
    if (context != nullptr) {
        gl.Finish();
    }
}

GlDescription DescribeGl() {
    if (context != nullptr) {
        return DescribeCurrent();
    }
    SDL_Window* window = CurrentSdlWindow();
    if (!GlCapableWindow(window)) {
        return {};
    }
    SDL_GLContext probe = SDL_GL_CreateContext(window);
    if (probe == nullptr) {
        return {};
    }
    GlDescription description;
    if (SDL_GL_MakeCurrent(window, probe) == 0 && LoadGlApi()) {
        description = DescribeCurrent();
    }
    SDL_GL_DeleteContext(probe);
    gl = GlApi{};
    return description;
}

int TakeGlErrors() {
    if (context != nullptr) {
        CheckGlErrors("pending");
    }
    const int count = error_count;
    error_count = 0;
    return count;
}

void CheckGlErrors(const char* operation) {
    for (GLenum error = gl.GetError(); error != GL_NO_ERROR; error = gl.GetError()) {
        std::fprintf(stderr, "GL error 0x%04X after %s\n", error, operation);
        ++error_count;
    }
}

}  // namespace platform

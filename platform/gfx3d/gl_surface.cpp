#include "platform/gfx3d/gl_surface.h"

#include <algorithm>

namespace platform {
namespace {

bool Empty(const DisplayRect& rect) {
    return rect.right <= rect.left || rect.bottom <= rect.top;
}

DisplayRect Union(const DisplayRect& a, const DisplayRect& b) {
    if (Empty(a)) {
        return b;
    }
    if (Empty(b)) {
        return a;
    }
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

DisplayRect Clipped(const GlSurface& surface, const DisplayRect& rect) {
    return {std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, surface.width),
            std::min(rect.bottom, surface.height)};
}

std::uint8_t* At(const GlSurface& surface, int x, int y) {
    return surface.pixels + y * surface.pitch + x * surface.format.bytes;
}

void Upload(GlSurface* surface, const DisplayRect& rect) {
    gl.BindTexture(GL_TEXTURE_2D, surface->texture);
    gl.PixelStorei(GL_UNPACK_ALIGNMENT, 1);
    gl.PixelStorei(GL_UNPACK_ROW_LENGTH, surface->pitch / surface->format.bytes);
    gl.TexSubImage2D(GL_TEXTURE_2D, 0, rect.left, rect.top, rect.right - rect.left,
                     rect.bottom - rect.top, surface->format.format, surface->format.type,
                     At(*surface, rect.left, rect.top));
    gl.PixelStorei(GL_UNPACK_ROW_LENGTH, 0);
}

std::uint64_t read_backs = 0;

void ReadBack(GlSurface* surface, const DisplayRect& rect) {
    const GLuint framebuffer = SurfaceFramebuffer(surface);
    if (framebuffer == 0) {
        return;
    }
    ++read_backs;
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, framebuffer);
    gl.PixelStorei(GL_PACK_ALIGNMENT, 1);
    gl.PixelStorei(GL_PACK_ROW_LENGTH, surface->pitch / surface->format.bytes);
    gl.ReadPixels(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                  surface->format.format, surface->format.type, At(*surface, rect.left, rect.top));
    gl.PixelStorei(GL_PACK_ROW_LENGTH, 0);
}

}  // namespace

GlSurface* CreateGlSurface(int width, int height, const DdPixelFormat& format, std::uint8_t* pixels,
                           int pitch) {
    GlPixelFormat gl_format;
    if (!GlFormatOf(format, &gl_format) || width < 1 || height < 1) {
        return nullptr;
    }
    auto* surface = new GlSurface;
    surface->width = width;
    surface->height = height;
    surface->dd = format;
    surface->format = gl_format;
    surface->pixels = pixels;
    surface->pitch = pitch;
    gl.GenTextures(1, &surface->texture);
    gl.BindTexture(GL_TEXTURE_2D, surface->texture);
    gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    if (gl_format.unused_alpha) {
        gl.TexParameteri(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_A, GL_ONE);
    }
    gl.TexImage2D(GL_TEXTURE_2D, 0, static_cast<GLint>(gl_format.internal_format), width, height, 0,
                  gl_format.format, gl_format.type, nullptr);
    surface->dirty = {0, 0, width, height};
    return surface;
}

void DeleteGlSurface(GlSurface* surface) {
    if (surface == nullptr) {
        return;
    }
    if (surface->framebuffer != 0) {
        gl.DeleteFramebuffers(1, &surface->framebuffer);
    }
    gl.DeleteTextures(1, &surface->texture);
    delete surface;
}

void SyncForGpu(GlSurface* surface) {
    if (!Empty(surface->dirty)) {
        Upload(surface, surface->dirty);
        surface->dirty = {};
    }
}

void SyncForCpu(GlSurface* surface, const DisplayRect& rect) {
    if (!surface->gpu_newer) {
        return;
    }
    const DisplayRect part = Clipped(*surface, rect);
    if (Empty(part)) {
        return;
    }
    // What the CPU wrote goes up first, so that reading back does not undo it.
    SyncForGpu(surface);
    ReadBack(surface, part);
    if (part.left == 0 && part.top == 0 && part.right == surface->width &&
        part.bottom == surface->height) {
        surface->gpu_newer = false;
    }
}

void SyncWholeForCpu(GlSurface* surface) {
    SyncForCpu(surface, {0, 0, surface->width, surface->height});
}

void NoteCpuWrite(GlSurface* surface, const DisplayRect& rect) {
    surface->dirty = Union(surface->dirty, Clipped(*surface, rect));
}

void NoteGpuWrite(GlSurface* surface) {
    surface->gpu_newer = true;
}

GLuint SurfaceFramebuffer(GlSurface* surface) {
    if (surface->framebuffer == 0) {
        gl.GenFramebuffers(1, &surface->framebuffer);
        gl.BindFramebuffer(GL_FRAMEBUFFER, surface->framebuffer);
        gl.FramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D,
                                surface->texture, 0);
        if (gl.CheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
            gl.DeleteFramebuffers(1, &surface->framebuffer);
            surface->framebuffer = 0;
        }
    }
    return surface->framebuffer;
}

void FillGlSurface(GlSurface* surface, const DisplayRect& rect, std::uint32_t value) {
    const DisplayRect part = Clipped(*surface, rect);
    const GLuint framebuffer = SurfaceFramebuffer(surface);
    if (Empty(part) || framebuffer == 0) {
        return;
    }
    SyncForGpu(surface);
    float rgba[4];
    UnpackPixel(surface->dd, value, rgba);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, framebuffer);
    gl.Enable(GL_SCISSOR_TEST);
    gl.Scissor(part.left, part.top, part.right - part.left, part.bottom - part.top);
    gl.ColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    gl.ClearColor(rgba[0], rgba[1], rgba[2], rgba[3]);
    gl.Clear(GL_COLOR_BUFFER_BIT);
    NoteGpuWrite(surface);
}

void BlitGlSurface(GlSurface* to, const DisplayRect& to_rect, GlSurface* from,
                   const DisplayRect& from_rect) {
    const GLuint read = SurfaceFramebuffer(from);
    const GLuint draw = SurfaceFramebuffer(to);
    if (read == 0 || draw == 0) {
        return;
    }
    SyncForGpu(from);
    SyncForGpu(to);
    gl.BindFramebuffer(GL_READ_FRAMEBUFFER, read);
    gl.BindFramebuffer(GL_DRAW_FRAMEBUFFER, draw);
    gl.Disable(GL_SCISSOR_TEST);
    gl.BlitFramebuffer(from_rect.left, from_rect.top, from_rect.right, from_rect.bottom,
                       to_rect.left, to_rect.top, to_rect.right, to_rect.bottom,
                       GL_COLOR_BUFFER_BIT, GL_NEAREST);
    NoteGpuWrite(to);
}

std::uint64_t GlReadBackCount() {
    return read_backs;
}

}  // namespace platform

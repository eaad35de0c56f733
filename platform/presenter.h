#pragma once

// The presenter shows pixels in the window. It keeps a retained frame of the client size in
// the display format, written by the primary surface and by the system drawing stand-ins,
// and puts rectangles of it onto the window's own surface with our own conversion; in full
// screen the frame is scaled by nearest neighbour to fill the window with its aspect kept and
// black bars beside it. While the GL context lives the frame has a GPU copy, which the 3D
// device draws into, and the whole frame is shown through GL instead. Main thread only.

#include <cstdint>
#include <vector>

#include "platform/display.h"

namespace platform {

struct GlSurface;

struct RetainedFrame {
    int width = 0;
    int height = 0;
    int pitch = 0;
    DdPixelFormat format;
    std::vector<std::uint8_t> pixels;
    DisplayPaletteEntry palette[256];
    // The frame's GPU copy while the GL context lives, made on first use.
    GlSurface* gpu = nullptr;
};

// Brings the frame to this size and format; a change clears it to black.
void ConfigureRetainedFrame(int width, int height, const DdPixelFormat& format);
RetainedFrame& GetRetainedFrame();
// The colours of an 8-bit frame.
void SetRetainedFramePalette(const DisplayPaletteEntry* entries);

// Puts a rectangle of the frame (null: all of it) into the window, when there is one.
int ShowRetainedFrame(const DisplayRect* rect);

// A block of system-drawing pixels: 16 bits (R5G6B5 unless masks say otherwise), 24 bits
// (B, G, R bytes) or 32 bits (X8R8G8B8), rows `pitch` bytes apart, top row first.
struct PixelBits {
    const std::uint8_t* pixels = nullptr;
    int width = 0;
    int height = 0;
    int pitch = 0;
    int bits = 32;
    std::uint32_t red_mask = 0;
    std::uint32_t green_mask = 0;
    std::uint32_t blue_mask = 0;
};

// Writes the source rectangle of the bits into the destination rectangle of the frame (client
// coordinates), stretched by nearest neighbour when the sizes differ, and shows it. The part
// outside the frame is cut off. 0, or -1 for an empty or reversed rectangle.
int PresentBits(const DisplayRect& destination, const PixelBits& bits, const DisplayRect& source);

// Reads a rectangle of the frame into 32-bit X8R8G8B8 pixels (top-down rows of `pitch`
// bytes): the read-back of the window's drawing context. 0, or -1 when the rectangle leaves
// the frame.
int ReadRetainedFrame(const DisplayRect& rect, std::uint32_t* pixels, int pitch);

// The window position of a point of the window's surface as a frame position, through the
// full-screen scaling (identity in window mode).
void WindowToFramePoint(int* x, int* y);
// The inverse: a frame position as a position of the window's surface.
void FrameToWindowPoint(int* x, int* y);

}  // namespace platform

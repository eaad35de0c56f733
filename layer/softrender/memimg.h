#pragma once

#include <cstdint>

#include "layer/core/rect.h"
#include "layer/media/pixel_format.h"

namespace layer {

constexpr std::uint32_t kMemImgMagic = 0x12345678;

// The reference-counted pixel store behind an image and its views. Ints are signed 32-bit.
struct MemImgBody {
    // Records (the image and its views) sharing the body.
    std::int32_t RefCount;
    std::int32_t Width;
    std::int32_t Height;
    // Bytes from one row to the next; PitchShift is log2 of it when it is a power of two,
    // else -1.
    std::int32_t Pitch;
    std::int32_t PitchShift;
    const PixelFormat* Format;
    // The transparent colour as a raw pixel value of the image's own format (the index for
    // palette images).
    std::uint32_t TransColor;
    // 0 R5G6B5, 1 X8R8G8B8, 2 8-bit single channel, 3 16-bit single channel.
    std::int32_t ColorType;
    std::int32_t PaletteFlag;
    // Palette entries in use: the largest index stored so far + 1.
    std::int32_t PaletteCount;
    std::int32_t AlphaFlag;
    std::int32_t PremulValid;
    std::int32_t RunTableValid;
    // 1: PixelStore belongs to the caller and is never freed here.
    std::int32_t UserPixels;
    // Palette images: a zero-filled 2,048-byte block; 256 entries of 2 bytes (R5G6B5) or
    // 4 bytes (0x00RRGGBB), and PaletteCopy at its second half.
    std::uint8_t* Palette;
    std::uint8_t* PaletteCopy;
    std::uint8_t* PixelStore;
    std::uint8_t* PremulStore;
    // (Width + 5) * Height bytes of runs, see memimg_runs.h.
    std::uint8_t* RunTable;
};

// A software image, or a view on a rectangle of one: pixel (x, y) is at
// Pixels + y * Body->Pitch + x * bytes per pixel.
struct MEMIMG {
    std::uint32_t Magic = 0;
    std::int32_t Width = 0;
    std::int32_t Height = 0;
    std::uint8_t* Pixels = nullptr;
    std::uint8_t* Premul = nullptr;
    MemImgBody* Body = nullptr;
};

// Creates a valid image with a new body. `pitch` -1 picks the default (bytes per pixel x
// width rounded up to 16). `derived_buffers` 1 also takes the premultiplied copy and the run
// table. `caller_pixels` (at least pitch x height bytes) stays the caller's. Returns 0, or -1
// for an image that is already valid, bad sizes, or memory running out (then nothing taken
// is kept and the record stays invalid).
int SetupMemImg(MEMIMG* image, int width, int height, int pitch, std::uint32_t trans_color,
                int color_type, int palette_flag, int alpha_flag, int derived_buffers,
                void* caller_pixels);
// Clears the record, then a plain image with its own memory. Colour type -1 means 1, or 0
// when `screen_color_bits` is 16.
int SetupScreenMemImg(MEMIMG* image, int width, int height, int color_type, int screen_color_bits);
// Clears the record, then a 16-bit single-channel image (the depth buffer).
int SetupDepthMemImg(MEMIMG* image, int width, int height);
// Makes `view` a view on the rectangle of `source` at (x, y) with that size, sharing its
// body. Nothing when the source is not valid or the rectangle leaves it.
void ShareMemImgRect(MEMIMG* view, const MEMIMG* source, int x, int y, int width, int height);
// 1 for a valid image or view, else 0.
int TestMemImgValid(const MEMIMG* image);
// Gives up an image or view; the body goes with the last record sharing it.
void ReleaseMemImg(MEMIMG* image);
// Writes `value` as a raw pixel into the rectangle (clipped to the image), or the whole image
// when `rect` is null. A valid run table or premultiplied copy is rebuilt to match.
void FillMemImgRaw(MEMIMG* image, const Rect* rect, std::uint32_t value);
// The static format of a colour type (0 to 3) and its flags, or null for another type.
const PixelFormat* GetMemImgPixelFormat(int color_type, int alpha_flag, int palette_flag);

// Bytes per pixel of the image's body.
inline int MemImgBytesPerPixel(const MEMIMG& image) {
    return image.Body->Format->bytes_per_pixel;
}

}  // namespace layer

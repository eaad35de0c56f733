#pragma once

// Records and flag values of the display stand-in: a display object with its cooperative
// level and display mode, surfaces that are pixel buffers with capability bits, clippers and
// palettes. The values are our own.

#include <cstdint>

#include "platform/dd_pixel_format.h"

namespace platform {

using layer::DdPixelFormat;

struct DisplayObject;
struct DisplaySurface;
struct DisplayClipper;
struct DisplayPalette;

// Results of every operation.
enum DisplayResult : int {
    kDisplayOk = 0,
    kDisplayFailed = -1,
    // The surface lost its memory; Restore it and write its contents again.
    kDisplaySurfaceLost = -2,
    kDisplayInvalidRect = -3,
    kDisplayNotFound = -4,
    kDisplayUnsupported = -5,
    kDisplayLocked = -6,
    kDisplayExclusiveModeAlreadySet = -7,
};

// Pixel-format flags besides kDdPixelFormatRgb (0x40).
constexpr std::uint32_t kPixelFormatFourCc = 0x4;
constexpr std::uint32_t kPixelFormatPalette8 = 0x20;
constexpr std::uint32_t kPixelFormatZBuffer = 0x400;

// Surface capability bits.
enum SurfaceCaps : std::uint32_t {
    kCapsBackBuffer = 0x4,
    kCapsComplex = 0x8,
    kCapsFlip = 0x10,
    kCapsFrontBuffer = 0x20,
    kCapsOffscreenPlain = 0x40,
    kCapsOverlay = 0x80,
    kCapsPrimary = 0x200,
    kCapsSystemMemory = 0x800,
    kCapsTexture = 0x1000,
    kCaps3DDevice = 0x2000,
    kCapsVideoMemory = 0x4000,
    kCapsZBuffer = 0x20000,
    kCapsTextureManaged = 0x100000,
};

// Which fields of a SurfaceDescription are given.
enum SurfaceDescriptionFields : std::uint32_t {
    kDescCaps = 0x1,
    kDescHeight = 0x2,
    kDescWidth = 0x4,
    kDescPitch = 0x8,
    kDescBackBufferCount = 0x20,
    kDescPixels = 0x800,
    kDescPixelFormat = 0x1000,
    kDescColourKey = 0x10000,
};

struct ColourKey {
    std::uint32_t low = 0;
    std::uint32_t high = 0;
};

struct SurfaceDescription {
    std::uint32_t fields = 0;
    std::uint32_t caps = 0;
    int width = 0;
    int height = 0;
    int pitch = 0;
    int back_buffer_count = 0;
    // Filled by Lock: the pixel at the locked rectangle's origin.
    std::uint8_t* pixels = nullptr;
    DdPixelFormat format;
    ColourKey source_key;
    // Depth surfaces: bits of the depth value.
    int z_bits = 0;
};

// The display mode in force.
struct DisplayMode {
    int width = 0;
    int height = 0;
    int bits = 0;
    int refresh = 0;
    DdPixelFormat format;
};

// Cooperative-level bits.
enum CooperativeLevel : std::uint32_t {
    kCoopFullScreen = 0x1,
    kCoopNoWindowChanges = 0x4,
    kCoopNormal = 0x8,
    kCoopExclusive = 0x10,
    kCoopMultithreaded = 0x400,
    kCoopFpuPreserve = 0x1000,
};

// Blt and BltFast flags.
enum BltFlags : std::uint32_t {
    kBltColourFill = 0x400,
    kBltDepthFill = 0x2000000,
    kBltWait = 0x1000000,
    kBltSourceColourKey = 0x8000,
};
enum BltFastFlags : std::uint32_t {
    kBltFastNoColourKey = 0x0,
    kBltFastSourceColourKey = 0x1,
    kBltFastWait = 0x10,
};
enum FlipFlags : std::uint32_t {
    kFlipWait = 0x1,
    kFlipNoVsync = 0x8,
};
enum LockFlags : std::uint32_t {
    kLockWait = 0x1,
    kLockReadOnly = 0x10,
    kLockWriteOnly = 0x20,
};
enum ColourKeyFlags : std::uint32_t {
    kColourKeySourceBlt = 0x8,
};

// Palette capability: 256 entries.
constexpr std::uint32_t kPalette8Bit = 0x4;

struct DisplayPaletteEntry {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    std::uint8_t flags = 0;
};

// The driver's capability record (380 bytes); every capability of the stand-in is zero.
struct DisplayCaps {
    std::uint32_t size = sizeof(DisplayCaps);
    std::uint32_t caps = 0;
    std::uint32_t min_overlay_stretch = 0;
    std::uint32_t max_overlay_stretch = 0;
    std::uint8_t reserved[364] = {};
};
static_assert(sizeof(DisplayCaps) == 380);

struct DisplayIdentifier {
    char driver[512] = {};
    char description[512] = {};
    std::uint32_t version_high = 0;
    std::uint32_t version_low = 0;
};

// A display-settings request of the system's own mode switch (used without a display object).
struct DisplaySettingsRequest {
    int width = 0;
    int height = 0;
    int bits = 0;
    // 0 lets the system choose.
    int refresh = 0;
};

}  // namespace platform

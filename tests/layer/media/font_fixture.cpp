#include "tests/layer/media/font_fixture.h"

#include "layer/media/font_system.h"

namespace test {
namespace {

FakeTextGraphics fake;

void Note(const std::string& call, const layer::Rect& rect = {}) {
    fake.calls.push_back(call);
    fake.last_rect = rect;
}

int AddWorkSurface(int alpha_channel, int*) {
    if (fake.refuse_surfaces) {
        return -1;
    }
    layer::MEMIMG image;
    layer::SetupMemImg(&image, fake.width, fake.height, -1, 0,
                       fake.screen_bits == 16 && alpha_channel == 0 ? 0 : 1, 0, alpha_channel, 0,
                       nullptr);
    fake.surfaces.push_back(image);
    return static_cast<int>(fake.surfaces.size()) - 1;
}

int DeleteSurface(int) {
    return 0;
}

layer::MEMIMG* SurfaceImage(int surface) {
    return surface >= 0 && surface < static_cast<int>(fake.surfaces.size())
               ? &fake.surfaces[surface]
               : nullptr;
}

int DrawSurface(int x, int y, int) {
    Note("draw_surface", {x, y, x, y});
    return 0;
}

int DrawStretched(const layer::Rect& rect, int) {
    Note("draw_surface_stretched", rect);
    return 0;
}

int SoftwareDrawing() {
    return fake.software_drawing;
}

layer::MEMIMG* BackImage() {
    return &fake.back;
}

layer::MEMIMG* MaskImage() {
    return nullptr;
}

layer::MEMIMG* PrepareDraw(const layer::Rect& rect, int* convert) {
    Note("prepare_draw", rect);
    *convert = 0;
    return &fake.back;
}

int FinishDraw() {
    Note("finish_draw");
    return 0;
}

int MaskedRect(const layer::Rect& rect) {
    Note("masked_rect", rect);
    return 0;
}

int Ready() {
    return 0;
}

int Zero() {
    return 0;
}

int PresentRect(const layer::Rect& rect) {
    Note("present_rect", rect);
    return 0;
}

int ScreenBits() {
    return fake.screen_bits;
}

int RgbToPixel(int red, int green, int blue) {
    if (fake.screen_bits == 16) {
        return (red >> 3) << 11 | (green >> 2) << 5 | blue >> 3;
    }
    return red << 16 | green << 8 | blue;
}

int PixelToRgb(int pixel, int* red, int* green, int* blue) {
    if (fake.screen_bits == 16) {
        *red = (pixel >> 11 & 0x1F) * 255 / 31;
        *green = (pixel >> 5 & 0x3F) * 255 / 63;
        *blue = (pixel & 0x1F) * 255 / 31;
    } else {
        *red = pixel >> 16 & 0xFF;
        *green = pixel >> 8 & 0xFF;
        *blue = pixel & 0xFF;
    }
    return 0;
}

int SameColour(int pixel) {
    return pixel;
}

}  // namespace

FakeTextGraphics& TextGraphics() {
    return fake;
}

layer::TextDrawServices FakeTextDrawServices() {
    return {Ready,         AddWorkSurface,  DeleteSurface, SurfaceImage, DrawSurface,
            DrawStretched, SoftwareDrawing, BackImage,     MaskImage,    PrepareDraw,
            FinishDraw,    MaskedRect,      MaskedRect,    Zero,         Zero,
            PresentRect,   ScreenBits,      RgbToPixel,    PixelToRgb,   SameColour};
}

void FontTest::SetUp() {
    LogCapture::SetUp();
    for (layer::MEMIMG& image : fake.surfaces) {
        layer::ReleaseMemImg(&image);
    }
    layer::ReleaseMemImg(&fake.back);
    fake = FakeTextGraphics{};
    layer::SetupMemImg(&fake.back, fake.width, fake.height, -1, 0, 1, 0, 0, 0, nullptr);
    // A new image's pixels are undefined; the tests read untouched pixels as black.
    layer::FillMemImgRaw(&fake.back, nullptr, 0);
    platform::ResetFakeGlyphs();
    platform::UseGlyphSource(&platform::FakeGlyphSource());
    saved_services_ = layer::text_draw_services;
    layer::text_draw_services = FakeTextDrawServices();
    layer::font_table = layer::FontTable{};
    layer::standard_font_settings = layer::StandardFontSettings{};
}

void FontTest::TearDown() {
    for (int slot = 0; slot < layer::kFontSlotCount; ++slot) {
        layer::FreeFontHandle(layer::FontHandleInSlot(slot));
    }
    layer::text_draw_services = saved_services_;
    platform::UseGlyphSource(nullptr);
    LogCapture::TearDown();
}

int FontTest::MakeFont(int type, int size, int edge_size, const char* face) {
    return layer::CreateFontToHandle(face, size, -1, type, -1, edge_size, 0, -1, -1);
}

}  // namespace test

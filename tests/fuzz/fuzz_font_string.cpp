// Random byte strings and lengths measured and drawn with fonts of every type, on the fake
// glyph source and on FreeType. The first byte picks the source, the type, the direction and
// the length; the rest is the string.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "layer/media/font_table.h"
#include "layer/media/media_services.h"
#include "layer/media/string_layout.h"
#include "layer/media/text_draw_services.h"
#include "layer/softrender/memimg.h"
#include "platform/fonts/fake_glyph_source.h"

namespace {

constexpr int kSide = 256;

int Ready() {
    return 0;
}
int ThirtyTwoBits() {
    return 32;
}
int Pack(int red, int green, int blue) {
    return red << 16 | green << 8 | blue;
}
int Split(int pixel, int* red, int* green, int* blue) {
    *red = pixel >> 16 & 0xFF;
    *green = pixel >> 8 & 0xFF;
    *blue = pixel & 0xFF;
    return 0;
}
int NoSurface(int, int*) {
    return 0;
}

struct FuzzFonts {
    FuzzFonts() {
        layer::text_draw_services.graphics_not_ready = Ready;
        layer::text_draw_services.screen_bits = ThirtyTwoBits;
        layer::text_draw_services.rgb_to_pixel = Pack;
        layer::text_draw_services.pixel_to_rgb = Split;
        layer::text_draw_services.add_work_surface = NoSurface;
        for (int source = 0; source < 2; ++source) {
            platform::UseGlyphSource(source == 0 ? &platform::FakeGlyphSource() : nullptr);
            for (int type = 0; type < 4; ++type) {
                fonts[source][type] = layer::CreateFontToHandle(nullptr, 16, 6, type, -1,
                                                                type == 3 ? 2 : -1, 0, -1, -1);
                if (fonts[source][type] == -1) {
                    std::abort();
                }
            }
        }
        if (layer::SetupMemImg(&image, kSide, kSide, -1, 0, 1, 0, 1, 0, nullptr) != 0) {
            std::abort();
        }
    }
    int fonts[2][4] = {};
    layer::MEMIMG image;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static FuzzFonts fuzz;
    if (size == 0) {
        return 0;
    }
    const int source = data[0] & 1;
    const int type = data[0] >> 1 & 3;
    const int vertical = data[0] >> 3 & 1;
    const int length = (data[0] >> 4) == 0 ? -1 : data[0] >> 4;
    const std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    platform::UseGlyphSource(source == 0 ? &platform::FakeGlyphSource() : nullptr);
    const int handle = fuzz.fonts[source][type];
    int extent[2] = {};
    const int width =
        layer::DrawStringThroughCache(0, 0, 0, 0, 1.0, 1.0, text.c_str(), 0, nullptr, nullptr, 1,
                                      handle, 0, length, vertical, extent);
    if (width < -1) {
        std::abort();
    }
    const layer::Rect clip{0, 0, kSide, kSide};
    layer::DrawStringThroughCache(1, -8, -4, 0, 1.0, 1.0, text.c_str(), 0xFFFFFF, &fuzz.image,
                                  &clip, data[0] & 1, handle, 0x0000FF, length, vertical, nullptr);
    return 0;
}

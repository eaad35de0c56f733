// Random byte strings and lengths measured and drawn with fonts of every type, on the fake
// glyph source and on FreeType. The first byte picks the source, the type, the direction and
// the length; the rest is the string.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "layer/media/font_table.h"
#include "layer/media/media_services.h"
#include "layer/media/string_layout.h"
#include "layer/softrender/memimg.h"
#include "platform/fonts/fake_glyph_source.h"
#include "tests/support/thirty_two_bit_text_services.h"

namespace {

constexpr int kSide = 256;

struct FuzzFonts {
    FuzzFonts() {
        test::UseThirtyTwoBitTextServices();
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

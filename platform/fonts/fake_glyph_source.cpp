#include "platform/fonts/fake_glyph_source.h"

#include <cstring>

namespace platform {
namespace {

struct FakeFont {
    FaceMetrics metrics;
};

FakeGlyphSettings settings;

bool IsSpace(unsigned code) {
    return code == 0x20 || code == 0x8140;
}

FontFace* CreateFake(const FontRequest& request) {
    settings.requests.push_back({request.face != nullptr ? request.face : "", request.height,
                                 request.weight, request.charset, request.italic});
    if (settings.refuse_fonts > 0) {
        --settings.refuse_fonts;
        return nullptr;
    }
    const int height = request.height;
    auto* font = new FakeFont{{height, height - height / 4, height / 4,
                               settings.max_char_width < 0 ? height : settings.max_char_width}};
    ++settings.live_fonts;
    return static_cast<FontFace*>(static_cast<void*>(font));
}

void DeleteFake(FontFace* font) {
    if (font != nullptr) {
        --settings.live_fonts;
    }
    delete static_cast<FakeFont*>(static_cast<void*>(font));
}

FaceMetrics ReadFakeMetrics(const FontFace* font) {
    return static_cast<const FakeFont*>(static_cast<const void*>(font))->metrics;
}

int LevelAt(int x, int y) {
    return settings.pixels.empty()
               ? settings.level
               : settings.pixels[static_cast<std::size_t>(y) * settings.box_width + x];
}

int ReadFakeGlyph(FontFace*, unsigned code, GlyphFormat format, GlyphMetrics* metrics,
                  std::uint8_t* buffer, int buffer_size) {
    if (code == settings.failing_code && code != 0) {
        return -1;
    }
    if (IsSpace(code)) {
        *metrics = {1, 1, 0, 0, settings.space_advance};
        return 0;
    }
    *metrics = {settings.box_width, settings.box_height, settings.origin_x, settings.origin_y,
                settings.advance};
    const int stride = GlyphRowStride(format, settings.box_width);
    const int size = stride * settings.box_height;
    if (buffer == nullptr || buffer_size < size) {
        return size;
    }
    settings.rendered_codes.push_back(code);
    std::memset(buffer, 0, static_cast<std::size_t>(size));
    for (int y = 0; y < settings.box_height; ++y) {
        std::uint8_t* row = buffer + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < settings.box_width; ++x) {
            const int level = LevelAt(x, y);
            if (format == GlyphFormat::kGray4) {
                row[x] = static_cast<std::uint8_t>(level);
            } else if (level > 0) {
                row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
            }
        }
    }
    return size;
}

}  // namespace

FakeGlyphSettings& FakeGlyphs() {
    return settings;
}

void ResetFakeGlyphs() {
    const int live = settings.live_fonts;
    settings = FakeGlyphSettings{};
    settings.live_fonts = live;
}

const GlyphSource& FakeGlyphSource() {
    static constexpr GlyphSource source{CreateFake, DeleteFake, ReadFakeMetrics, ReadFakeGlyph};
    return source;
}

}  // namespace platform

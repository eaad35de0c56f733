#include "platform/fonts/glyph_source.h"

namespace platform {
namespace {

const GlyphSource* current_source = nullptr;

}  // namespace

const GlyphSource& CurrentGlyphSource() {
    return current_source != nullptr ? *current_source : FreeTypeGlyphSource();
}

void UseGlyphSource(const GlyphSource* source) {
    current_source = source;
}

int GlyphRowStride(GlyphFormat format, int width) {
    const int bytes = format == GlyphFormat::kBitmap ? (width + 7) / 8 : width;
    return (bytes + 3) / 4 * 4;
}

}  // namespace platform

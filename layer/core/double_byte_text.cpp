#include "layer/core/double_byte_text.h"

namespace layer {

int IsDoubleByteLead(unsigned char byte, int charset) {
    if (charset == kHangulCharset) {
        return byte >= 0x80 ? 1 : 0;
    }
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC) ? 1 : 0;
}

std::size_t TrimToCharBoundary(const char* text, std::size_t length) {
    std::size_t position = 0;
    while (position < length) {
        const std::size_t step =
            IsDoubleByteLead(static_cast<unsigned char>(text[position]), kShiftJisCharset) ? 2 : 1;
        if (position + step > length) {
            break;
        }
        position += step;
    }
    return position;
}

}  // namespace layer

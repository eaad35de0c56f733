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

int CharLengthAt(const char* text, int length, int offset) {
    if (offset >= length) {
        return 0;
    }
    const bool lead = IsDoubleByteLead(static_cast<unsigned char>(text[offset]), kShiftJisCharset);
    return lead && offset + 1 < length ? 2 : 1;
}

int CountCharBytes(const char* text, int length, int count) {
    int position = 0;
    for (int i = 0; i < count && position < length; ++i) {
        position += CharLengthAt(text, length, position);
    }
    return position;
}

int CountCharsInBytes(const char* text, int length, int bytes) {
    int position = 0;
    int count = 0;
    while (position < bytes && position < length) {
        position += CharLengthAt(text, length, position);
        ++count;
    }
    return count;
}

int CharStartBefore(const char* text, int offset) {
    int position = 0;
    while (true) {
        const int next = position + CharLengthAt(text, offset, position);
        if (next >= offset) {
            return position;
        }
        position = next;
    }
}

}  // namespace layer

#include "game/core/shift_jis_byte_kind.h"

namespace game {
namespace {

bool IsLeadByte(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

bool IsTrailByte(unsigned char byte) {
    return byte >= 0x40 && byte <= 0xFC && byte != 0x7F;
}

}  // namespace

int GetShiftJisByteKind(std::string_view text, std::size_t n) {
    int state = kSingleByte;
    for (std::size_t i = 0; i <= n; ++i) {
        if (i >= text.size() || text[i] == '\0')
            return kSingleByte;
        const auto byte = static_cast<unsigned char>(text[i]);
        if (state == kSingleByte)
            state = IsLeadByte(byte) ? kLeadByte : kSingleByte;
        else if (state == kLeadByte && IsTrailByte(byte))
            state = kTrailByte;
        else
            state = state == kTrailByte && IsLeadByte(byte) ? kLeadByte : kSingleByte;
    }
    return state;
}

}  // namespace game

#include "tools/lib/mpeg_frames.h"

namespace tools {

std::vector<std::uint8_t> MpegFrame(std::uint32_t header, int length) {
    std::vector<std::uint8_t> frame(static_cast<std::size_t>(length), 0);
    for (int i = 0; i < 4; ++i) {
        frame[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(header >> (24 - 8 * i));
    }
    return frame;
}

std::vector<std::uint8_t> Id3v2Tag(int major_version, int flags, int size) {
    std::vector<std::uint8_t> tag{'I', 'D',
                                  '3', static_cast<std::uint8_t>(major_version),
                                  0,   static_cast<std::uint8_t>(flags)};
    for (int shift = 21; shift >= 0; shift -= 7) {
        tag.push_back(static_cast<std::uint8_t>((size >> shift) & 0x7F));
    }
    tag.resize(tag.size() + static_cast<std::size_t>(size), 0);
    if (major_version == 4 && (flags & 0x10) != 0) {
        std::vector<std::uint8_t> footer{'3', 'D', 'I', 4, 0, static_cast<std::uint8_t>(flags)};
        footer.insert(footer.end(), tag.begin() + 6, tag.begin() + 10);
        tag.insert(tag.end(), footer.begin(), footer.end());
    }
    return tag;
}

std::vector<std::uint8_t> Id3v1Tag() {
    std::vector<std::uint8_t> tag{'T', 'A', 'G'};
    tag.resize(128, ' ');
    return tag;
}

void Append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

}  // namespace tools

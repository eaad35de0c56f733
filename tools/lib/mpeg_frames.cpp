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
    std::vector<std::uint8_t> size_bytes;
    for (int shift = 21; shift >= 0; shift -= 7) {
        size_bytes.push_back(static_cast<std::uint8_t>((size >> shift) & 0x7F));
    }
    std::vector<std::uint8_t> tag;
    const auto put_header = [&](const char* identifier) {
        tag.push_back(static_cast<std::uint8_t>(identifier[0]));
        tag.push_back(static_cast<std::uint8_t>(identifier[1]));
        tag.push_back(static_cast<std::uint8_t>(identifier[2]));
        tag.push_back(static_cast<std::uint8_t>(major_version));
        tag.push_back(0);
        tag.push_back(static_cast<std::uint8_t>(flags));
        Append(tag, size_bytes);
    };
    put_header("ID3");
    tag.resize(tag.size() + static_cast<std::size_t>(size), 0);
    if (major_version == 4 && (flags & 0x10) != 0) {
        put_header("3DI");
    }
    return tag;
}

std::vector<std::uint8_t> Id3v1Tag() {
    std::vector<std::uint8_t> tag(128, ' ');
    tag[0] = 'T';
    tag[1] = 'A';
    tag[2] = 'G';
    return tag;
}

void Append(std::vector<std::uint8_t>& out, const std::vector<std::uint8_t>& more) {
    out.insert(out.end(), more.begin(), more.end());
}

}  // namespace tools

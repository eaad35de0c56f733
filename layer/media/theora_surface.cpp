// The frame surface a Theora decoder could copy its YUV frames into. The display stand-in
// refuses every YUV layout, so the decoder converts into its image instead.
#include "layer/graphics/direct_draw_context.h"
#include "layer/graphics/graphics_services.h"
#include "layer/media/theora_decoder.h"

namespace layer {
namespace {

constexpr std::uint32_t FourCc(char a, char b, char c, char d) {
    return static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b) << 8 |
           static_cast<std::uint32_t>(c) << 16 | static_cast<std::uint32_t>(d) << 24;
}

constexpr std::uint32_t kYuvLayouts[] = {FourCc('Y', 'V', '1', '2'), FourCc('Y', 'U', 'Y', '2'),
                                         FourCc('U', 'Y', 'V', 'Y')};

}  // namespace

int CreateTheoraSurface(TheoraDecoder* decoder) {
    if (decoder->surface != nullptr) {
        platform::ReleaseSurface(decoder->surface);
        decoder->surface = nullptr;
    }
    decoder->four_cc = 0;
    const DirectDrawObject* object = GetDirectDrawObject();
    if (object == nullptr || object->display == nullptr) {
        return 0;
    }
    platform::SurfaceDescription description;
    description.fields = platform::kDescCaps | platform::kDescHeight | platform::kDescWidth |
                         platform::kDescPixelFormat;
    description.caps = platform::kCapsVideoMemory;
    description.width = TheoraPictureWidth(decoder);
    description.height = TheoraPictureHeight(decoder);
    description.format.size = sizeof(description.format);
    description.format.flags = platform::kPixelFormatFourCc;
    for (const std::uint32_t layout : kYuvLayouts) {
        description.format.four_cc = layout;
        if (platform::CreateSurface(object->display, description, &decoder->surface) ==
            platform::kDisplayOk) {
            decoder->four_cc = static_cast<std::int32_t>(layout);
            return 0;
        }
    }
    decoder->surface = nullptr;
    return 0;
}

}  // namespace layer

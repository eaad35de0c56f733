#include "layer/media/pixel_conversion.h"

#include "layer/media/pixel_rect_job.h"

namespace layer {

int ConvertPixelRect(std::uint8_t* destination, int destination_pitch,
                     const PixelFormat* destination_format, const std::uint8_t* source,
                     int source_pitch, const PixelFormat* source_format, const std::uint8_t* alpha,
                     int alpha_pitch, const PixelFormat* alpha_format, int x, int y, int left,
                     int top, int right, int bottom, int mirror, int transparent_to_alpha,
                     std::uint32_t transparent_colour, int dither, int no_colour,
                     int alpha_from_red, int colour_key, int palette_remap) {
    PixelRectJob job;
    job.destination = destination;
    job.destination_pitch = destination_pitch;
    job.destination_format = destination_format;
    job.source = source;
    job.source_pitch = source_pitch;
    job.source_format = source_format;
    job.alpha = alpha;
    job.alpha_pitch = alpha_pitch;
    job.alpha_format = alpha_format;
    job.x = x;
    job.y = y;
    job.left = left;
    job.top = top;
    job.width = right - left;
    job.height = bottom - top;
    job.mirror = mirror != 0;
    job.transparent_to_alpha = transparent_to_alpha != 0;
    job.transparent_colour = transparent_colour;
    job.dither = dither;
    job.no_colour = no_colour != 0;
    job.alpha_from_red = alpha_from_red != 0;
    job.colour_key = colour_key != 0;
    job.palette_remap = palette_remap != 0;
    return ConvertPixelRectJob(job);
}

}  // namespace layer

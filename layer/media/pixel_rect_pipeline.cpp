// The general per-pixel conversion: every pair of formats, alpha images, single-channel
// writes, the colour key, the transparent colour turned into alpha, and ordered or carry
// dithering where channels get narrower.
#include <cstdint>

#include "layer/media/pixel_bytes.h"
#include "layer/media/pixel_rect_job.h"
#include "layer/media/pixel_value.h"

namespace layer {

namespace {

constexpr std::uint32_t kOrderedMatrix[16] = {0, 8, 2, 10, 12, 4, 14, 6, 3, 11, 1, 9, 15, 7, 13, 5};

enum ChannelIndex { kRed, kGreen, kBlue, kAlpha };

// One channel's way from the source field to the destination field.
struct Channel {
    std::uint32_t source_mask = 0;
    int source_position = 0;
    int source_width = 0;
    std::uint32_t destination_mask = 0;
    int destination_position = 0;
    int destination_width = 0;
    // Bits lost on the way (source width - destination width) when positive.
    int dropped = 0;
    std::uint32_t dropped_mask = 0;
    std::uint32_t thresholds[16] = {};
    std::uint32_t carry = 0;
    bool dithered = false;
};

Channel MakeChannel(std::uint32_t source_mask, int source_position, int source_width,
                    std::uint32_t destination_mask, int destination_position,
                    int destination_width) {
    Channel channel;
    channel.source_mask = source_mask;
    channel.source_position = source_position;
    channel.source_width = source_width;
    channel.destination_mask = destination_mask;
    channel.destination_position = destination_position;
    channel.destination_width = destination_width;
    channel.dropped = source_width - destination_width;
    if (channel.dropped > 0) {
        channel.dropped_mask = ShiftLeft(FieldMaximum(channel.dropped), source_position);
        for (int k = 0; k < 16; ++k) {
            channel.thresholds[k] = ShiftLeft(
                ShiftRight(ShiftLeft(kOrderedMatrix[k], channel.dropped), 4), source_position);
        }
    }
    return channel;
}

// The source field moved to the destination width: shifted down when narrower, scaled
// exactly (field x destination maximum / source maximum) when wider.
std::uint32_t Rescale(std::uint32_t value, const Channel& channel) {
    if (channel.source_width == 0) {
        return 0;
    }
    const std::uint32_t field = ShiftRight(value & channel.source_mask, channel.source_position);
    if (channel.dropped > 0) {
        return ShiftRight(field, channel.dropped);
    }
    if (channel.dropped < 0) {
        return static_cast<std::uint32_t>(std::uint64_t{field} *
                                          FieldMaximum(channel.destination_width) /
                                          FieldMaximum(channel.source_width));
    }
    return field;
}

std::uint32_t ReadValue(const std::uint8_t* row, int column, const PixelFormat& format) {
    const int bytes = format.bytes_per_pixel;
    const std::uint32_t value = LoadPixelValue(row + column * bytes, bytes);
    return bytes == 1 ? PaletteValue(format.palette[value]) : value;
}

class Pipeline {
  public:
    explicit Pipeline(const PixelRectJob& job) : job_(job), out_(*job.destination_format) {
        const PixelFormat& in = *job.source_format;
        const PixelFormat& alpha_image = *job.alpha_format;
        channels_[kRed] = MakeChannel(in.red_mask, in.red_position, in.red_width, out_.red_mask,
                                      out_.red_position, out_.red_width);
        channels_[kGreen] = MakeChannel(in.green_mask, in.green_position, in.green_width,
                                        out_.green_mask, out_.green_position, out_.green_width);
        channels_[kBlue] = MakeChannel(in.blue_mask, in.blue_position, in.blue_width,
                                       out_.blue_mask, out_.blue_position, out_.blue_width);
        if (job.alpha_from_image) {
            channels_[kAlpha] =
                MakeChannel(alpha_image.red_mask, alpha_image.red_position, alpha_image.red_width,
                            out_.alpha_mask, out_.alpha_position, out_.alpha_width);
        } else {
            channels_[kAlpha] = MakeChannel(in.alpha_mask, in.alpha_position, in.alpha_width,
                                            out_.alpha_mask, out_.alpha_position, out_.alpha_width);
        }
        const bool alpha_rescaled =
            job.alpha_from_image || (in.alpha_width != 0 && out_.alpha_width != 0);
        width_changes_ = channels_[kRed].dropped != 0 || channels_[kGreen].dropped != 0 ||
                         channels_[kBlue].dropped != 0 ||
                         (alpha_rescaled && channels_[kAlpha].dropped != 0);
        for (int k = kRed; k <= kBlue; ++k) {
            channels_[k].dithered = !job.no_colour && channels_[k].dropped > 0;
        }
        channels_[kAlpha].dithered =
            alpha_rescaled && !job.alpha_from_red && channels_[kAlpha].dropped > 0;
        const int in_bytes = in.bytes_per_pixel;
        key_ = in_bytes >= 4 ? job.transparent_colour
                             : job.transparent_colour & FieldMaximum(in_bytes * 8);
        if (job.transparent_to_alpha) {
            const std::uint32_t t =
                PackColor(out_, (job.transparent_colour >> 16) & 0xFF,
                          (job.transparent_colour >> 8) & 0xFF, job.transparent_colour & 0xFF, 255);
            key_colour_ = t & (out_.red_mask | out_.green_mask | out_.blue_mask);
        }
    }

    void Run() {
        const PixelFormat& in = *job_.source_format;
        const int in_bytes = in.bytes_per_pixel;
        const int out_bytes = out_.bytes_per_pixel;
        for (int row = 0; row < job_.height; ++row) {
            const std::uint8_t* in_row = SourceRow(job_, row);
            const std::uint8_t* alpha_row = job_.alpha_from_image ? AlphaRow(job_, row) : nullptr;
            std::uint8_t* out_row = DestinationRow(job_, row);
            for (int i = 0; i < job_.width; ++i) {
                const std::uint32_t stored = LoadPixelValue(in_row + i * in_bytes, in_bytes);
                // A palette source is keyed by its index, as in the plain index copy.
                if (job_.colour_key && stored == key_) {
                    continue;
                }
                const std::uint32_t value =
                    in_bytes == 1 ? PaletteValue(in.palette[stored]) : stored;
                const std::uint32_t alpha_value =
                    alpha_row != nullptr ? ReadValue(alpha_row, i, *job_.alpha_format) : 0;
                const std::uint32_t result = Convert(value, alpha_value, (i & 3) + 4 * (row & 3));
                std::uint32_t written = result;
                if (out_bytes == 2 || out_bytes == 4) {
                    written |= out_.unused_mask;
                }
                StorePixelValue(out_row + DestinationColumn(job_, i) * out_bytes, out_bytes,
                                written);
            }
        }
    }

  private:
    std::uint32_t Convert(std::uint32_t value, std::uint32_t alpha_value, int dither_index) {
        std::uint32_t red = Rescale(value, channels_[kRed]);
        std::uint32_t green = Rescale(value, channels_[kGreen]);
        std::uint32_t blue = Rescale(value, channels_[kBlue]);
        std::uint32_t alpha = 0;
        if (job_.alpha_from_image) {
            alpha = Rescale(alpha_value, channels_[kAlpha]);
        } else if (job_.source_format->alpha_width == 0) {
            alpha = ShiftRight(out_.alpha_mask, out_.alpha_position);
        } else if (out_.alpha_width != 0) {
            alpha = Rescale(value, channels_[kAlpha]);
        }
        if (job_.alpha_from_red) {
            alpha = red;
        }
        if (job_.no_colour) {
            red = green = blue = 0;
        }
        std::uint32_t composed =
            ShiftLeft(alpha, out_.alpha_position) | ShiftLeft(red, out_.red_position) |
            ShiftLeft(green, out_.green_position) | ShiftLeft(blue, out_.blue_position);
        if (width_changes_) {
            composed = Dither(composed, value, alpha_value, dither_index);
        }
        if (job_.transparent_to_alpha) {
            const std::uint32_t colour =
                composed & (out_.red_mask | out_.green_mask | out_.blue_mask);
            composed =
                colour == key_colour_ ? composed & ~out_.alpha_mask : composed | out_.alpha_mask;
        }
        return composed;
    }

    // Each channel under its destination mask, raised by one step where the dropped bits call
    // for it, and limited to the mask.
    std::uint32_t Dither(std::uint32_t composed, std::uint32_t value, std::uint32_t alpha_value,
                         int dither_index) {
        std::uint32_t result = 0;
        for (int k = kRed; k <= kAlpha; ++k) {
            Channel& channel = channels_[k];
            std::uint32_t field = composed & channel.destination_mask;
            if (channel.dithered && job_.dither != 0) {
                const std::uint32_t source =
                    k == kAlpha && job_.alpha_from_image ? alpha_value : value;
                const std::uint32_t dropped = source & channel.dropped_mask;
                const std::uint32_t step = ShiftLeft(1, channel.destination_position);
                if (job_.dither == 1) {
                    if (dropped > channel.thresholds[dither_index]) {
                        field += step;
                    }
                } else {
                    channel.carry += dropped;
                    if (channel.carry > channel.dropped_mask) {
                        field += step;
                    }
                    channel.carry &= channel.dropped_mask;
                }
            }
            result |= field > channel.destination_mask ? channel.destination_mask : field;
        }
        return result;
    }

    const PixelRectJob& job_;
    const PixelFormat& out_;
    Channel channels_[4];
    bool width_changes_ = false;
    std::uint32_t key_ = 0;
    std::uint32_t key_colour_ = 0;
};

}  // namespace

int RunGeneralPipeline(const PixelRectJob& job) {
    Pipeline pipeline(job);
    pipeline.Run();
    return 0;
}

}  // namespace layer

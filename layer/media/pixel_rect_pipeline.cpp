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
    // The lowest destination bit: one step of the channel.
    std::uint32_t step = 0;
    // Widened values of every field of up to 8 bits, when the channel gets wider.
    bool widen_by_table = false;
    std::uint32_t widened[256] = {};
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
    channel.step = ShiftLeft(1, destination_position);
    // A channel the source lacks (width 0) widens its only field, 0, to 0.
    if (channel.dropped < 0 && source_width <= 8) {
        channel.widen_by_table = true;
        for (std::uint32_t field = 1; source_width > 0 && field <= FieldMaximum(source_width);
             ++field) {
            channel.widened[field] =
                static_cast<std::uint32_t>(std::uint64_t{field} * FieldMaximum(destination_width) /
                                           FieldMaximum(source_width));
        }
    }
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
[[gnu::always_inline]] inline std::uint32_t Rescale(std::uint32_t value, const Channel& channel) {
    // Positions are below 32, and a missing channel has mask 0, so its field is 0.
    const std::uint32_t field = (value & channel.source_mask) >> channel.source_position;
    if (channel.dropped >= 0) {
        return ShiftRight(field, channel.dropped);
    }
    if (channel.widen_by_table) {
        return channel.widened[field];
    }
    return static_cast<std::uint32_t>(std::uint64_t{field} *
                                      FieldMaximum(channel.destination_width) /
                                      FieldMaximum(channel.source_width));
}

std::uint32_t ReadValue(const std::uint8_t* row, int column, const PixelFormat& format) {
    const int bytes = format.bytes_per_pixel;
    const std::uint32_t value = LoadPixelValue(row + column * bytes, bytes);
    return bytes == 1 ? PaletteValue(format.palette[value]) : value;
}

// Everything the per-pixel work reads, held by value so that the loop keeps it local: the
// destination's stores cannot then touch it.
struct PixelPlan {
    Channel channels[4];
    bool width_changes = false;
    bool alpha_from_image = false;
    bool source_alpha = false;
    bool destination_alpha = false;
    bool alpha_from_red = false;
    bool no_colour = false;
    bool transparent_to_alpha = false;
    bool colour_key = false;
    bool mirror = false;
    std::uint32_t full_alpha = 0;
    std::uint32_t colour_mask = 0;
    std::uint32_t alpha_mask = 0;
    std::uint32_t unused_mask = 0;
    std::uint32_t key = 0;
    std::uint32_t key_colour = 0;
    int positions[4] = {};
};

PixelPlan MakePlan(const PixelRectJob& job) {
    const PixelFormat& in = *job.source_format;
    const PixelFormat& out = *job.destination_format;
    const PixelFormat& alpha_image = *job.alpha_format;
    PixelPlan plan;
    Channel* channels = plan.channels;
    channels[kRed] = MakeChannel(in.red_mask, in.red_position, in.red_width, out.red_mask,
                                 out.red_position, out.red_width);
    channels[kGreen] = MakeChannel(in.green_mask, in.green_position, in.green_width, out.green_mask,
                                   out.green_position, out.green_width);
    channels[kBlue] = MakeChannel(in.blue_mask, in.blue_position, in.blue_width, out.blue_mask,
                                  out.blue_position, out.blue_width);
    if (job.alpha_from_image) {
        channels[kAlpha] =
            MakeChannel(alpha_image.red_mask, alpha_image.red_position, alpha_image.red_width,
                        out.alpha_mask, out.alpha_position, out.alpha_width);
    } else {
        channels[kAlpha] = MakeChannel(in.alpha_mask, in.alpha_position, in.alpha_width,
                                       out.alpha_mask, out.alpha_position, out.alpha_width);
    }
    const bool alpha_rescaled =
        job.alpha_from_image || (in.alpha_width != 0 && out.alpha_width != 0);
    plan.width_changes = channels[kRed].dropped != 0 || channels[kGreen].dropped != 0 ||
                         channels[kBlue].dropped != 0 ||
                         (alpha_rescaled && channels[kAlpha].dropped != 0);
    for (int k = kRed; k <= kBlue; ++k) {
        channels[k].dithered = !job.no_colour && channels[k].dropped > 0;
    }
    channels[kAlpha].dithered =
        alpha_rescaled && !job.alpha_from_red && channels[kAlpha].dropped > 0;
    plan.alpha_from_image = job.alpha_from_image;
    plan.source_alpha = in.alpha_width != 0;
    plan.destination_alpha = out.alpha_width != 0;
    plan.alpha_from_red = job.alpha_from_red;
    plan.no_colour = job.no_colour;
    plan.transparent_to_alpha = job.transparent_to_alpha;
    plan.colour_key = job.colour_key;
    plan.mirror = job.mirror;
    plan.full_alpha = ShiftRight(out.alpha_mask, out.alpha_position);
    plan.colour_mask = out.red_mask | out.green_mask | out.blue_mask;
    plan.alpha_mask = out.alpha_mask;
    plan.unused_mask = out.unused_mask;
    plan.positions[kRed] = out.red_position;
    plan.positions[kGreen] = out.green_position;
    plan.positions[kBlue] = out.blue_position;
    plan.positions[kAlpha] = out.alpha_position;
    const int in_bytes = in.bytes_per_pixel;
    plan.key = in_bytes >= 4 ? job.transparent_colour
                             : job.transparent_colour & FieldMaximum(in_bytes * 8);
    if (job.transparent_to_alpha) {
        const std::uint32_t t =
            PackColor(out, (job.transparent_colour >> 16) & 0xFF,
                      (job.transparent_colour >> 8) & 0xFF, job.transparent_colour & 0xFF, 255);
        plan.key_colour = t & plan.colour_mask;
    }
    return plan;
}

// A channel under its destination mask, raised by one step where the dropped bits of its
// source value call for it, and limited to the mask.
template <int kDither>
[[gnu::always_inline]] inline std::uint32_t DitherChannel(Channel& channel, std::uint32_t composed,
                                                          std::uint32_t source, int dither_index) {
    std::uint32_t field = composed & channel.destination_mask;
    if (kDither != 0 && channel.dithered) {
        const std::uint32_t dropped = source & channel.dropped_mask;
        if constexpr (kDither == 1) {
            if (dropped > channel.thresholds[dither_index]) {
                field += channel.step;
            }
        } else {
            channel.carry += dropped;
            if (channel.carry > channel.dropped_mask) {
                field += channel.step;
            }
            channel.carry &= channel.dropped_mask;
        }
    }
    return field > channel.destination_mask ? channel.destination_mask : field;
}

template <int kDither>
[[gnu::always_inline]] inline std::uint32_t Dither(PixelPlan& plan, std::uint32_t composed,
                                                   std::uint32_t value, std::uint32_t alpha_value,
                                                   int dither_index) {
    Channel* channels = plan.channels;
    const std::uint32_t alpha_source = plan.alpha_from_image ? alpha_value : value;
    return DitherChannel<kDither>(channels[kRed], composed, value, dither_index) |
           DitherChannel<kDither>(channels[kGreen], composed, value, dither_index) |
           DitherChannel<kDither>(channels[kBlue], composed, value, dither_index) |
           DitherChannel<kDither>(channels[kAlpha], composed, alpha_source, dither_index);
}

template <int kDither>
[[gnu::always_inline]] inline std::uint32_t ConvertPixel(PixelPlan& plan, std::uint32_t value,
                                                         std::uint32_t alpha_value,
                                                         int dither_index) {
    std::uint32_t red = Rescale(value, plan.channels[kRed]);
    std::uint32_t green = Rescale(value, plan.channels[kGreen]);
    std::uint32_t blue = Rescale(value, plan.channels[kBlue]);
    std::uint32_t alpha = 0;
    if (plan.alpha_from_image) {
        alpha = Rescale(alpha_value, plan.channels[kAlpha]);
    } else if (!plan.source_alpha) {
        alpha = plan.full_alpha;
    } else if (plan.destination_alpha) {
        alpha = Rescale(value, plan.channels[kAlpha]);
    }
    if (plan.alpha_from_red) {
        alpha = red;
    }
    if (plan.no_colour) {
        red = green = blue = 0;
    }
    // Positions are below 32.
    std::uint32_t composed = alpha << plan.positions[kAlpha] | red << plan.positions[kRed] |
                             green << plan.positions[kGreen] | blue << plan.positions[kBlue];
    if (plan.width_changes) {
        composed = Dither<kDither>(plan, composed, value, alpha_value, dither_index);
    }
    if (plan.transparent_to_alpha) {
        composed = (composed & plan.colour_mask) == plan.key_colour ? composed & ~plan.alpha_mask
                                                                    : composed | plan.alpha_mask;
    }
    return composed;
}

// One loop per pair of pixel sizes and dither mode, so that loads and stores are fixed moves
// and the dither is chosen once.
template <int kIn, int kOut, int kDither>
void RunRows(const PixelRectJob& job, PixelPlan plan) {
    const PaletteEntry* palette = job.source_format->palette;
    const PixelFormat* alpha_format = job.alpha_format;
    const std::uint32_t unused = kOut == 2 || kOut == 4 ? plan.unused_mask : 0;
    const int width = job.width;
    for (int row = 0; row < job.height; ++row) {
        const std::uint8_t* in_row = SourceRow(job, row);
        const std::uint8_t* alpha_row = plan.alpha_from_image ? AlphaRow(job, row) : nullptr;
        std::uint8_t* out_row = DestinationRow(job, row);
        for (int i = 0; i < width; ++i) {
            const std::uint32_t stored = LoadPixelValue(in_row + i * kIn, kIn);
            // A palette source is keyed by its index, as in the plain index copy.
            if (plan.colour_key && stored == plan.key) {
                continue;
            }
            const std::uint32_t value = kIn == 1 ? PaletteValue(palette[stored]) : stored;
            const std::uint32_t alpha_value =
                alpha_row != nullptr ? ReadValue(alpha_row, i, *alpha_format) : 0;
            const std::uint32_t result =
                ConvertPixel<kDither>(plan, value, alpha_value, (i & 3) + 4 * (row & 3));
            const int column = plan.mirror ? width - 1 - i : i;
            StorePixelValue(out_row + column * kOut, kOut, result | unused);
        }
    }
}

using RowLoop = void (*)(const PixelRectJob& job, PixelPlan plan);

template <int kIn, int kOut>
constexpr RowLoop kDitherLoops[3] = {RunRows<kIn, kOut, 0>, RunRows<kIn, kOut, 1>,
                                     RunRows<kIn, kOut, 2>};

constexpr const RowLoop* kRowLoops[4][4] = {
    {kDitherLoops<1, 1>, kDitherLoops<1, 2>, kDitherLoops<1, 3>, kDitherLoops<1, 4>},
    {kDitherLoops<2, 1>, kDitherLoops<2, 2>, kDitherLoops<2, 3>, kDitherLoops<2, 4>},
    {kDitherLoops<3, 1>, kDitherLoops<3, 2>, kDitherLoops<3, 3>, kDitherLoops<3, 4>},
    {kDitherLoops<4, 1>, kDitherLoops<4, 2>, kDitherLoops<4, 3>, kDitherLoops<4, 4>},
};

}  // namespace

int RunGeneralPipeline(const PixelRectJob& job) {
    const RowLoop* loops = kRowLoops[job.source_format->bytes_per_pixel - 1]
                                    [job.destination_format->bytes_per_pixel - 1];
    // Unknown dither modes dither nothing.
    loops[job.dither == 1 || job.dither == 2 ? job.dither : 0](job, MakePlan(job));
    return 0;
}

}  // namespace layer

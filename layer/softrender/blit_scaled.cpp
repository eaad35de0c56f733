#include "layer/softrender/blit_scaled.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "layer/softrender/blit_plain.h"
#include "layer/softrender/blit_setup.h"

namespace layer {

namespace {

// One axis of the walk: the destination at distance k from the unclipped edge shows source
// index floor(k * 65536 / step), counted from the far end when mirrored. The counter starts
// where it stands after the clipped-off part, so clipping never changes what a visible pixel
// shows.
struct Axis {
    std::int64_t step = 0;
    std::int64_t first_index = 0;    // source index of the first visible destination pixel
    std::int64_t first_counter = 0;  // counter at that pixel
    bool mirrored = false;
    int source_size = 0;

    // False when the step is 0 or the last pixel would fall outside the source.
    bool Start(std::int64_t length, int size, std::int64_t clipped_off, bool mirror) {
        if (size <= 0) {
            return false;
        }
        step = length * 65536 / size;
        if (step == 0 || (length - 1) * 65536 / step >= size) {
            return false;
        }
        first_index = clipped_off * 65536 / step;
        first_counter = step - clipped_off * 65536 % step;
        mirrored = mirror;
        source_size = size;
        return true;
    }

    std::int64_t SourceIndex(std::int64_t index) const {
        return mirrored ? source_size - 1 - index : index;
    }
};

// The source column of every visible destination column, walked once per draw.
std::vector<std::int32_t> SourceColumns(const Axis& axis, int count) {
    std::vector<std::int32_t> columns(count);
    std::int64_t index = axis.first_index;
    std::int64_t counter = axis.first_counter;
    for (int i = 0; i < count; ++i) {
        columns[i] = static_cast<std::int32_t>(axis.SourceIndex(index));
        counter -= 65536;
        while (counter <= 0) {
            ++index;
            counter += axis.step;
        }
    }
    return columns;
}

// Copies the source pixels (and blend bytes) that one destination row shows into contiguous
// buffers, so that the row is drawn by the same loops as an unscaled row.
template <int Bytes>
void GatherRow(const std::uint8_t* source_row, const std::uint8_t* blend_row,
               const std::vector<std::int32_t>& columns, std::uint8_t* pixels,
               std::uint8_t* blend) {
    const int count = static_cast<int>(columns.size());
    for (int i = 0; i < count; ++i) {
        std::memcpy(pixels + i * Bytes, source_row + std::int64_t{columns[i]} * Bytes, Bytes);
    }
    if (blend_row != nullptr) {
        for (int i = 0; i < count; ++i) {
            blend[i] = blend_row[columns[i]];
        }
    }
}

using GatherFunction = void (*)(const std::uint8_t*, const std::uint8_t*,
                                const std::vector<std::int32_t>&, std::uint8_t*, std::uint8_t*);

GatherFunction GatherFor(int bytes) {
    switch (bytes) {
        case 1:
            return &GatherRow<1>;
        case 2:
            return &GatherRow<2>;
        default:
            return &GatherRow<4>;
    }
}

}  // namespace

void RenderMemImgStretched(MEMIMG* destination, const MEMIMG* source, const Rect& corners,
                           int transparency, const MEMIMG* blend_image,
                           const SoftDrawState& state) {
    const bool mirror_x = corners.left > corners.right;
    const bool mirror_y = corners.top > corners.bottom;
    const Rect ordered{std::min(corners.left, corners.right), std::min(corners.top, corners.bottom),
                       std::max(corners.left, corners.right),
                       std::max(corners.top, corners.bottom)};
    const std::int64_t width = std::int64_t{ordered.right} - ordered.left;
    const std::int64_t height = std::int64_t{ordered.bottom} - ordered.top;
    if (width == 0 || height == 0) {
        return;
    }
    blit::BlitSetup setup;
    if (!blit::PrepareBlit(destination, source, blend_image, transparency, state, &setup)) {
        return;
    }
    if (width == source->Width && height == source->Height && !mirror_x && !mirror_y) {
        RenderMemImg(destination, source, ordered.left, ordered.top, transparency, blend_image,
                     state);
        return;
    }
    Rect clipped = ordered;
    ClipRect(&clipped, setup.area);
    const int visible_width = clipped.right - clipped.left;
    const int visible_height = clipped.bottom - clipped.top;
    Axis across;
    Axis down;
    if (!across.Start(width, source->Width, std::int64_t{clipped.left} - ordered.left, mirror_x) ||
        !down.Start(height, source->Height, std::int64_t{clipped.top} - ordered.top, mirror_y) ||
        visible_width == 0 || visible_height == 0) {
        return;
    }

    const blit::RowFunction draw_row = blit::SelectRow(blit::Route::Scaled, setup.choice);
    const GatherFunction gather = GatherFor(setup.source_bytes);
    const std::vector<std::int32_t> columns = SourceColumns(across, visible_width);
    std::vector<std::uint8_t> pixels(static_cast<std::size_t>(visible_width) * setup.source_bytes);
    std::vector<std::uint8_t> blend(blend_image != nullptr ? visible_width : 0);
    const std::int64_t destination_pitch = destination->Body->Pitch;
    std::uint8_t* destination_row = destination->Pixels + clipped.top * destination_pitch +
                                    std::int64_t{clipped.left} * setup.destination_bytes;
    std::int64_t index = down.first_index;
    std::int64_t counter = down.first_counter;
    std::int64_t gathered = -1;
    for (int row = 0; row < visible_height; ++row) {
        const std::int64_t source_row = down.SourceIndex(index);
        if (source_row != gathered) {
            const std::uint8_t* blend_row =
                blend_image != nullptr ? blend_image->Pixels + source_row * blend_image->Body->Pitch
                                       : nullptr;
            gather(source->Pixels + source_row * source->Body->Pitch, blend_row, columns,
                   pixels.data(), blend.data());
            gathered = source_row;
        }
        draw_row(destination_row, pixels.data(), blend.data(), visible_width, setup.context);
        destination_row += destination_pitch;
        counter -= 65536;
        while (counter <= 0) {
            ++index;
            counter += down.step;
        }
    }
}

}  // namespace layer

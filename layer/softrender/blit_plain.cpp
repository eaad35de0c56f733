#include "layer/softrender/blit_plain.h"

#include <algorithm>

#include "layer/softrender/blit_setup.h"

namespace layer {

namespace {

std::int32_t Saturate(std::int64_t value) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, INT32_MIN, INT32_MAX));
}

// The run table describes the body, so it serves only a source that is the whole body.
bool CoversWholeBody(const MEMIMG& source) {
    const MemImgBody& body = *source.Body;
    return source.Pixels == body.PixelStore && source.Width == body.Width &&
           source.Height == body.Height;
}

struct Rows {
    std::uint8_t* destination;
    const std::uint8_t* source;
    const std::uint8_t* blend;
    std::int64_t destination_pitch;
    std::int64_t source_pitch;
    std::int64_t blend_pitch;

    void Advance() {
        destination += destination_pitch;
        source += source_pitch;
        if (blend != nullptr) {
            blend += blend_pitch;
        }
    }
};

// Skips class 0 runs and draws class 1 and 2 runs with their own loops. Runs are cut at the
// row's end, so a faulty table cannot draw past it.
void DrawRuns(const blit::BlitSetup& setup, const MEMIMG& source, Rows rows, int width,
              int height) {
    const blit::RowFunction opaque = blit::SelectRow(blit::Route::RunOpaque, setup.choice);
    const blit::RowFunction translucent =
        blit::SelectRow(blit::Route::RunTranslucent, setup.choice);
    const std::uint8_t* run = source.Body->RunTable;
    for (int row = 0; row < height; ++row) {
        int x = 0;
        for (; *run < 0xC0; ++run) {
            const int length = std::min((*run & 0x3F) + 1, width - x);
            const int run_class = *run >> 6;
            if (run_class != 0 && length > 0) {
                (run_class == 1 ? opaque : translucent)(
                    rows.destination + std::int64_t{x} * setup.destination_bytes,
                    rows.source + std::int64_t{x} * setup.source_bytes,
                    rows.blend != nullptr ? rows.blend + x : nullptr, length, setup.context);
            }
            x += std::max(length, 0);
        }
        ++run;
        rows.Advance();
    }
}

}  // namespace

void RenderMemImg(MEMIMG* destination, const MEMIMG* source, int x, int y, int transparency,
                  const MEMIMG* blend_image, const SoftDrawState& state) {
    blit::BlitSetup setup;
    if (!blit::PrepareBlit(destination, source, blend_image, transparency, state, &setup)) {
        return;
    }
    Rect rect{x, y, Saturate(std::int64_t{x} + source->Width),
              Saturate(std::int64_t{y} + source->Height)};
    ClipRect(&rect, setup.area);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    if (width == 0 || height == 0) {
        return;
    }
    const std::int64_t sx = std::int64_t{rect.left} - x;
    const std::int64_t sy = std::int64_t{rect.top} - y;
    Rows rows{};
    rows.destination_pitch = destination->Body->Pitch;
    rows.source_pitch = source->Body->Pitch;
    rows.destination = destination->Pixels + rect.top * rows.destination_pitch +
                       std::int64_t{rect.left} * setup.destination_bytes;
    rows.source = source->Pixels + sy * rows.source_pitch + sx * setup.source_bytes;
    if (blend_image != nullptr) {
        rows.blend_pitch = blend_image->Body->Pitch;
        rows.blend = blend_image->Pixels + sy * rows.blend_pitch + sx;
    }

    if (transparency == 1 && source->Body->RunTableValid == 1 && width == source->Width &&
        height == source->Height && CoversWholeBody(*source)) {
        DrawRuns(setup, *source, rows, width, height);
        return;
    }
    const blit::RowFunction draw_row = blit::SelectRow(blit::Route::Plain, setup.choice);
    for (int row = 0; row < height; ++row) {
        draw_row(rows.destination, rows.source, rows.blend, width, setup.context);
        rows.Advance();
    }
}

}  // namespace layer

#include "layer/media/pixel_value.h"

#include <cstdint>

#include "layer/media/pixel_bytes.h"

namespace layer {

namespace {

std::uint32_t NearestPaletteIndex(const PixelFormat& format, int red, int green, int blue) {
    std::uint32_t best_index = 0;
    std::int64_t best_distance = INT64_MAX;
    for (std::uint32_t i = 0; i < 256; ++i) {
        const PaletteEntry& entry = format.palette[i];
        const std::int64_t dr = entry.red - red;
        const std::int64_t dg = entry.green - green;
        const std::int64_t db = entry.blue - blue;
        const std::int64_t distance = dr * dr + dg * dg + db * db;
        if (distance < best_distance) {
            best_distance = distance;
            best_index = i;
        }
    }
    return best_index;
}

// A component 0..255 cut (or, for channels wider than a byte, shifted up) to `width` bits and
// moved to `position`.
std::uint32_t PlaceComponent(int component, int width, int position) {
    const auto value = static_cast<std::uint32_t>(component) & 0xFF;
    const std::uint32_t field = width <= 8 ? value >> (8 - width) : ShiftLeft(value, width - 8);
    return ShiftLeft(field, position);
}

std::uint32_t ResizeField(std::uint32_t field, int from_width, int to_width) {
    return from_width > to_width ? ShiftRight(field, from_width - to_width)
                                 : ShiftLeft(field, to_width - from_width);
}

std::uint32_t MoveChannel(std::uint32_t value, std::uint32_t source_mask, int source_position,
                          int source_width, int destination_position, int destination_width) {
    const std::uint32_t field = ShiftRight(value & source_mask, source_position);
    return ShiftLeft(ResizeField(field, source_width, destination_width), destination_position);
}

int Widen(std::uint32_t value, std::uint32_t mask, int position, int width) {
    if (width == 0) {
        return 0;
    }
    const std::uint64_t field = ShiftRight(value & mask, position);
    return static_cast<int>(field * 255 / FieldMaximum(width));
}

}  // namespace

std::uint32_t PackColor(const PixelFormat& format, int red, int green, int blue, int alpha) {
    if (format.bytes_per_pixel == 1) {
        return NearestPaletteIndex(format, red, green, blue);
    }
    std::uint32_t value = PlaceComponent(red, format.red_width, format.red_position) |
                          PlaceComponent(green, format.green_width, format.green_position) |
                          PlaceComponent(blue, format.blue_width, format.blue_position);
    if (format.alpha_width != 0) {
        value |= PlaceComponent(alpha, format.alpha_width, format.alpha_position);
    }
    return value | format.unused_mask;
}

std::uint32_t ConvertPixelValue(const PixelFormat& destination, const PixelFormat& source,
                                std::uint32_t value) {
    std::uint32_t result =
        MoveChannel(value, source.red_mask, source.red_position, source.red_width,
                    destination.red_position, destination.red_width) |
        MoveChannel(value, source.green_mask, source.green_position, source.green_width,
                    destination.green_position, destination.green_width) |
        MoveChannel(value, source.blue_mask, source.blue_position, source.blue_width,
                    destination.blue_position, destination.blue_width);
    if (source.alpha_width == 0) {
        result |= destination.alpha_mask;
    } else {
        result |= MoveChannel(value, source.alpha_mask, source.alpha_position, source.alpha_width,
                              destination.alpha_position, destination.alpha_width);
    }
    return result | destination.unused_mask;
}

int UnpackColor(const PixelFormat& format, std::uint32_t value, int* red, int* green, int* blue,
                int* alpha) {
    if (red != nullptr) {
        *red = Widen(value, format.red_mask, format.red_position, format.red_width);
    }
    if (green != nullptr) {
        *green = Widen(value, format.green_mask, format.green_position, format.green_width);
    }
    if (blue != nullptr) {
        *blue = Widen(value, format.blue_mask, format.blue_position, format.blue_width);
    }
    if (alpha != nullptr) {
        *alpha = Widen(value, format.alpha_mask, format.alpha_position, format.alpha_width);
    }
    return 0;
}

}  // namespace layer
